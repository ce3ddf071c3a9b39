#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/base/csv_table.h"
#include "core/base/language.h"
#include "core/base/status.h"
#include "core/radio/band_limits.h"
#include "core/radio/csv_channel_row.h"
#include "core/radio/csv_messages.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// The channel file of @p image: the 21-column header and one row per filled channel, every
/// line ended by CRLF.
std::string ExportChannelsCsv(const RadioImage& image);
/// The clipboard form of the filled channels among @p channels (1-16): the same header and
/// rows, tab-separated.
std::string ExportChannelsTabSeparated(const RadioImage& image, std::span<const int> channels);

/// What becomes of one data row of a channel file.
struct CsvImportRow {
    int line = 0;          ///< the line of the file the row starts on
    std::string location;  ///< its Location field (cut to a readable length); empty for none
    int channel = 0;       ///< the channel it is stored in, or would go to; 0 for none
    std::optional<CsvMessage> reason;  ///< why it is skipped; nothing when it is stored
    std::vector<CsvMessage> notes;     ///< for a stored row
    ChannelRowTexts texts;             ///< the grid texts of a stored row

    bool stored() const { return !reason; }
};

/// Every data row of a channel file with its fate, before anything is stored.
struct CsvImportPlan {
    std::vector<CsvImportRow> rows;
    std::vector<std::string> unknownColumns;  ///< names of unknown and repeated columns
    bool hasLocation = false;                 ///< whether the file has a Location column

    int StoredCount() const;
    int SkippedCount() const { return static_cast<int>(rows.size()) - StoredCount(); }
};

/// Decides each data row's channel and converts it as the grid commits a typed value
/// (ConvertCsvRow). Rows whose Location fields are all whole numbers go to the channel of their
/// Location, counted from 1 or, when the smallest is 0, from 0; otherwise the stored rows fill
/// the channels in file order. A row beyond channel 16, or whose channel an earlier row has
/// taken, is skipped. A row whose fields are all empty is no data row. Fails, in @p language,
/// when the header has no Frequency column.
[[nodiscard]] Status PlanCsvImport(const CsvTable& table, const BandLimits& band, Language language,
                                   CsvImportPlan& plan);

/// Whether importing @p plan changes any channel: a row is stored, or every channel is emptied.
bool CsvImportChangesChannels(const CsvImportPlan& plan, bool replace);

/// "stored" or "skipped" in @p language.
std::string CsvRowStatus(const CsvImportRow& row, Language language);
/// The reason a row is skipped, or the notes of a stored row joined by "; ".
std::string CsvRowDetails(const CsvImportRow& row, Language language);
/// "stored" or "skipped: <reason>" in @p language.
std::string CsvRowOutcome(const CsvImportRow& row, Language language);
/// "Columns ignored: A, B" (unknown or repeated), or empty when every column is read.
std::string CsvUnknownColumnsText(const CsvImportPlan& plan, Language language);
/// "3 rows: 2 stored, 1 skipped".
std::string CsvImportSummary(const CsvImportPlan& plan, Language language);
/// The report in words: a line per row (its notes on lines of their own), the unknown columns,
/// and the counts.
std::vector<std::string> CsvImportReport(const CsvImportPlan& plan, Language language);

}  // namespace radioprog
