#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/language.h"
#include "core/base/status.h"

namespace radioprog {

/// One record of a delimited text: its fields without their quotes, and the line it starts on
/// (1 is the first line of the text).
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

/// A delimited text as read: the header record, the records after it, and the delimiter.
struct CsvTable {
    char delimiter = ',';
    CsvRecord header;
    std::vector<CsvRecord> records;
};

/// Reads CSV text as spreadsheets and radio programmers write it: UTF-8 with or without a byte
/// order mark, CRLF, LF or CR line ends, lines that begin with '#' are comments and empty lines
/// are passed over. The first other line is the header. Fields are separated by ',', or by ';'
/// when the header line holds more ';' than ',' outside quotes (the form of very old files). A
/// field that begins with a double quote may hold delimiters, line breaks and doubled quotes.
/// Fails, saying where in @p language, on a text without a header line and on a quote that is
/// never closed.
[[nodiscard]] Status ReadCsv(std::string_view text, CsvTable& table, Language language);

/// Reads the tab-separated clipboard form: the same rules with a tab between fields.
[[nodiscard]] Status ReadTabSeparated(std::string_view text, CsvTable& table, Language language);

/// One record ended by CRLF. A field is quoted when it holds a delimiter of either kind, a tab,
/// a quote or a line break, and the first field when it begins with '#' or a byte order mark,
/// so that reading the line back gives the same fields.
std::string DelimitedLine(std::span<const std::string> fields, char delimiter);

/// CSV text of @p records (the header first), every line ended by CRLF.
std::string WriteCsv(std::span<const std::vector<std::string>> records);
/// The tab-separated clipboard form of @p records.
std::string WriteTabSeparated(std::span<const std::vector<std::string>> records);

}  // namespace radioprog
