#include "core/base/csv_table.h"

namespace radioprog {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kQuote = '"';
constexpr char kComment = '#';

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// The first of @p a, @p b and @p c in @p text from @p from on; the end of the text when none.
std::size_t FindFirstOf(std::string_view text, std::size_t from, char a, char b, char c) {
    for (std::size_t at = from; at < text.size(); ++at) {
        const char here = text[at];
        if (here == a || here == b || here == c) {
            return at;
        }
    }
    return text.size();
}

Status Failure(BilingualText text, int line, Language language) {
    return Status::Error(std::string(BilingualText{"Line ", "第 "}.In(language)) +
                         std::to_string(line) + std::string(text.In(language)));
}

// Walks the text record by record, counting lines as it goes.
class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {
        if (m_text.starts_with(kByteOrderMark)) {
            m_at = kByteOrderMark.size();
        }
    }

    bool AtEnd() const { return m_at >= m_text.size(); }

    // Passes over empty lines and comment lines, up to the start of the next record.
    void SkipToRecord() {
        while (!AtEnd()) {
            if (m_text[m_at] == kComment) {
                while (!AtEnd() && !IsLineEnd(m_text[m_at])) {
                    ++m_at;
                }
            } else if (!IsLineEnd(m_text[m_at])) {
                return;
            }
            TakeLineEnd();
        }
    }

    // The delimiter of the record that starts here: ';' when it has more of them than ','
    // outside quotes. Reads ahead without moving.
    char DetectDelimiter() const {
        int commas = 0;
        int semicolons = 0;
        bool quoted = false;
        for (std::size_t at = m_at; at < m_text.size(); ++at) {
            const char c = m_text[at];
            if (c == kQuote) {
                quoted = !quoted;
            } else if (!quoted && IsLineEnd(c)) {
                break;
            } else if (!quoted) {
                commas += c == ',';
                semicolons += c == ';';
            }
        }
        return semicolons > commas ? ';' : ',';
    }

    // Room for @p expected fields is made at once: records are mostly as wide as the header.
    Status ReadRecord(char delimiter, CsvRecord& record, Language language,
                      std::size_t expected = 0) {
        record.line = m_line;
        record.fields.clear();
        record.fields.reserve(expected);
        while (true) {
            std::string& field = record.fields.emplace_back();
            if (!AtEnd() && m_text[m_at] == kQuote) {
                const int opened = m_line;
                if (!ReadQuoted(field)) {
                    return Failure({": a quoted field is never closed.", " 行：引号字段没有结束。"},
                                   opened, language);
                }
            }
            ReadPlain(delimiter, field);
            if (AtEnd()) {
                return Status::Ok();
            }
            if (m_text[m_at] != delimiter) {
                TakeLineEnd();
                return Status::Ok();
            }
            ++m_at;
        }
    }

private:
    void TakeLineEnd() {
        if (AtEnd()) {
            return;
        }
        if (m_text[m_at] == '\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '\n') {
            ++m_at;
        }
        ++m_at;
        ++m_line;
    }

    // From an opening quote past its closing quote; false when the text ends first.
    bool ReadQuoted(std::string& field) {
        ++m_at;
        while (!AtEnd()) {
            const std::size_t stop = FindFirstOf(m_text, m_at, kQuote, '\r', '\n');
            if (stop == m_text.size()) {
                break;
            }
            field.append(m_text.substr(m_at, stop - m_at));
            m_at = stop;
            const char c = m_text[m_at];
            if (c != kQuote) {
                // A line break inside quotes belongs to the field; it still ends a line.
                const std::size_t start = m_at;
                TakeLineEnd();
                field.append(m_text.substr(start, m_at - start));
                continue;
            }
            if (m_at + 1 < m_text.size() && m_text[m_at + 1] == kQuote) {
                field.push_back(kQuote);
                m_at += 2;
                continue;
            }
            ++m_at;
            return true;
        }
        m_at = m_text.size();
        return false;
    }

    // Up to the next delimiter or line end; after a closing quote, anything there is kept as it
    // stands, as spreadsheets do.
    void ReadPlain(char delimiter, std::string& field) {
        const std::size_t stop = FindFirstOf(m_text, m_at, delimiter, '\r', '\n');
        field.append(m_text.substr(m_at, stop - m_at));
        m_at = stop;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
};

Status Read(std::string_view text, char fixedDelimiter, CsvTable& table, Language language) {
    table = CsvTable();
    Scanner scanner(text);
    scanner.SkipToRecord();
    if (scanner.AtEnd()) {
        return Status::Error(std::string(
            BilingualText{"The file holds no header line.", "文件中没有标题行。"}.In(language)));
    }
    table.delimiter = fixedDelimiter != '\0' ? fixedDelimiter : scanner.DetectDelimiter();
    if (Status read = scanner.ReadRecord(table.delimiter, table.header, language); !read) {
        return read;
    }
    for (scanner.SkipToRecord(); !scanner.AtEnd(); scanner.SkipToRecord()) {
        if (Status read = scanner.ReadRecord(table.delimiter, table.records.emplace_back(),
                                             language, table.header.fields.size());
            !read) {
            return read;
        }
    }
    return Status::Ok();
}

bool NeedsQuotes(const std::string& field, bool first) {
    if (first && (field.starts_with(kComment) || field.starts_with(kByteOrderMark))) {
        return true;
    }
    return field.find_first_of(",;\t\"\r\n") != std::string::npos;
}

std::string WriteAll(std::span<const std::vector<std::string>> records, char delimiter) {
    std::string text;
    for (const std::vector<std::string>& record : records) {
        text += DelimitedLine(record, delimiter);
    }
    return text;
}

}  // namespace

Status ReadCsv(std::string_view text, CsvTable& table, Language language) {
    return Read(text, '\0', table, language);
}

Status ReadTabSeparated(std::string_view text, CsvTable& table, Language language) {
    return Read(text, '\t', table, language);
}

std::string DelimitedLine(std::span<const std::string> fields, char delimiter) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line.push_back(delimiter);
        }
        const std::string& field = fields[i];
        // A record of one empty field would be an empty line, which is passed over.
        if (NeedsQuotes(field, i == 0) || (fields.size() == 1 && field.empty())) {
            line.push_back(kQuote);
            for (char c : field) {
                if (c == kQuote) {
                    line.push_back(kQuote);
                }
                line.push_back(c);
            }
            line.push_back(kQuote);
        } else {
            line += field;
        }
    }
    line += "\r\n";
    return line;
}

std::string WriteCsv(std::span<const std::vector<std::string>> records) {
    return WriteAll(records, ',');
}

std::string WriteTabSeparated(std::span<const std::vector<std::string>> records) {
    return WriteAll(records, '\t');
}

}  // namespace radioprog
