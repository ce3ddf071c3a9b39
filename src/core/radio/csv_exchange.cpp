#include "core/radio/csv_exchange.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/base/ascii_text.h"
#include "core/base/text_number.h"
#include "core/radio/csv_columns.h"
#include "core/radio/csv_fields.h"

namespace radioprog {
namespace {

constexpr int kChannels = image::kChannelCount;

std::vector<std::vector<std::string>> ChannelRecords(const RadioImage& image,
                                                     std::span<const int> channels) {
    std::vector<std::vector<std::string>> records = {CsvHeader()};
    for (int channel : channels) {
        if (channel >= 1 && channel <= kChannels) {
            if (auto fields = ChannelCsvFields(image, channel)) {
                records.push_back(std::move(*fields));
            }
        }
    }
    return records;
}

bool IsDataRow(const CsvRecord& record) {
    return std::any_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return !TrimBlanks(field).empty(); });
}

// How rows find their channels.
enum class Placement { ByLocation, ByLocationFromZero, FileOrder };

Placement DecidePlacement(const CsvColumns& columns, std::span<const CsvRecord* const> rows) {
    if (!columns.Has(CsvColumn::Location) || rows.empty()) {
        return Placement::FileOrder;
    }
    int smallest = std::numeric_limits<int>::max();
    bool anyChannel = false;
    for (const CsvRecord* row : rows) {
        const std::optional<int> location = ReadWholeInt(columns.Field(*row, CsvColumn::Location));
        if (!location || *location < 0) {
            return Placement::FileOrder;
        }
        smallest = std::min(smallest, *location);
        anyChannel = anyChannel || (*location >= 1 && *location <= kChannels);
    }
    if (smallest == 0) {
        return Placement::ByLocationFromZero;
    }
    // Locations all beyond the radio's channels come from a larger radio: fill in order.
    return anyChannel ? Placement::ByLocation : Placement::FileOrder;
}

CsvImportRow Skipped(CsvImportRow row, CsvMessageId id, std::vector<std::string> args = {}) {
    row.reason = CsvMessage{id, std::move(args)};
    return row;
}

CsvImportRow Converted(CsvImportRow row, CsvChannelRow converted) {
    row.reason = std::move(converted.refusal);
    row.notes = std::move(converted.notes);
    row.texts = std::move(converted.texts);
    return row;
}

// Rows in order; each stored one takes the next channel.
class RowPlacer {
public:
    RowPlacer(const CsvColumns& columns, const BandLimits& band, Language language,
              Placement placement)
        : m_columns(columns), m_band(band), m_language(language), m_placement(placement) {}

    CsvImportRow Place(const CsvRecord& record) {
        CsvImportRow row;
        row.line = record.line;
        row.location = ShortCsvText(m_columns.Field(record, CsvColumn::Location));
        if (m_placement == Placement::FileOrder) {
            return InFileOrder(std::move(row), record);
        }
        return ByLocation(std::move(row), record);
    }

private:
    CsvImportRow Convert(CsvImportRow row, const CsvRecord& record) const {
        return Converted(std::move(row), ConvertCsvRow(m_columns, record, m_band, m_language));
    }

    CsvImportRow InFileOrder(CsvImportRow row, const CsvRecord& record) {
        if (m_next > kChannels) {
            return Skipped(std::move(row), CsvMessageId::BeyondChannels);
        }
        row = Convert(std::move(row), record);
        if (row.stored()) {
            row.channel = m_next++;
            if (m_columns.Has(CsvColumn::Location)) {
                row.notes.push_back({CsvMessageId::FileOrder, {row.location}});
            }
        }
        return row;
    }

    CsvImportRow ByLocation(CsvImportRow row, const CsvRecord& record) {
        const int location = ReadWholeInt(m_columns.Field(record, CsvColumn::Location)).value_or(0);
        const int channel = m_placement == Placement::ByLocationFromZero ? location + 1 : location;
        if (channel > kChannels) {
            return Skipped(std::move(row), CsvMessageId::BeyondChannels);
        }
        row.channel = channel;
        const int taken = m_takenBy[static_cast<std::size_t>(channel)];
        if (taken != 0) {
            return Skipped(std::move(row), CsvMessageId::ChannelGivenAlready,
                           {std::to_string(channel), std::to_string(taken)});
        }
        row = Convert(std::move(row), record);
        if (row.stored()) {
            m_takenBy[static_cast<std::size_t>(channel)] = row.line;
        }
        return row;
    }

    const CsvColumns& m_columns;
    const BandLimits& m_band;
    const Language m_language;
    const Placement m_placement;
    int m_next = 1;
    std::array<int, kChannels + 1> m_takenBy{};
};

std::string RowHeading(const CsvImportRow& row, bool hasLocation, Language language) {
    std::string heading = std::string(BilingualText{"Row ", "第 "}.In(language)) +
                          std::to_string(row.line) +
                          std::string(BilingualText{"", " 行"}.In(language));
    if (hasLocation) {
        heading += " (Location " + row.location + ")";
    }
    if (row.channel != 0) {
        heading += std::string(BilingualText{" -> channel ", " -> 信道 "}.In(language)) +
                   std::to_string(row.channel);
    }
    return heading;
}

}  // namespace

std::string ExportChannelsCsv(const RadioImage& image) {
    std::array<int, kChannels> all{};
    for (int i = 0; i < kChannels; ++i) {
        all[static_cast<std::size_t>(i)] = i + 1;
    }
    return WriteCsv(ChannelRecords(image, all));
}

std::string ExportChannelsTabSeparated(const RadioImage& image, std::span<const int> channels) {
    return WriteTabSeparated(ChannelRecords(image, channels));
}

int CsvImportPlan::StoredCount() const {
    return static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                          [](const CsvImportRow& row) { return row.stored(); }));
}

Status PlanCsvImport(const CsvTable& table, const BandLimits& band, Language language,
                     CsvImportPlan& plan) {
    plan = CsvImportPlan();
    const CsvColumns columns(table.header);
    if (!columns.Has(CsvColumn::Frequency)) {
        return Status::Error(std::string(
            BilingualText{"The header line has no Frequency column: this is no channel file.",
                          "标题行中没有 Frequency 列：这不是信道文件。"}
                .In(language)));
    }
    plan.unknownColumns = columns.ignored();
    plan.hasLocation = columns.Has(CsvColumn::Location);
    std::vector<const CsvRecord*> rows;
    for (const CsvRecord& record : table.records) {
        if (IsDataRow(record)) {
            rows.push_back(&record);
        }
    }
    RowPlacer placer(columns, band, language, DecidePlacement(columns, rows));
    plan.rows.reserve(rows.size());
    for (const CsvRecord* record : rows) {
        plan.rows.push_back(placer.Place(*record));
    }
    return Status::Ok();
}

bool CsvImportChangesChannels(const CsvImportPlan& plan, bool replace) {
    return replace || plan.StoredCount() > 0;
}

std::string CsvRowStatus(const CsvImportRow& row, Language language) {
    return std::string(
        (row.stored() ? BilingualText{"stored", "已保存"} : BilingualText{"skipped", "已跳过"})
            .In(language));
}

std::string CsvRowDetails(const CsvImportRow& row, Language language) {
    if (!row.stored()) {
        return CsvMessageText(*row.reason, language);
    }
    std::string details;
    for (const CsvMessage& note : row.notes) {
        details += (details.empty() ? "" : "; ") + CsvMessageText(note, language);
    }
    return details;
}

std::string CsvRowOutcome(const CsvImportRow& row, Language language) {
    if (row.stored()) {
        return CsvRowStatus(row, language);
    }
    return CsvRowStatus(row, language) + std::string(BilingualText{": ", "："}.In(language)) +
           CsvRowDetails(row, language);
}

std::string CsvUnknownColumnsText(const CsvImportPlan& plan, Language language) {
    if (plan.unknownColumns.empty()) {
        return {};
    }
    std::string names;
    for (const std::string& name : plan.unknownColumns) {
        names += (names.empty() ? "" : ", ") + ShortCsvText(name);
    }
    return std::string(BilingualText{"Columns ignored: ", "已忽略的列："}.In(language)) + names;
}

std::string CsvImportSummary(const CsvImportPlan& plan, Language language) {
    const std::string stored = std::to_string(plan.StoredCount());
    const std::string skipped = std::to_string(plan.SkippedCount());
    const std::string total = std::to_string(plan.rows.size());
    return language == Language::Chinese
               ? "共 " + total + " 行：保存 " + stored + " 行，跳过 " + skipped + " 行"
               : total + " rows: " + stored + " stored, " + skipped + " skipped";
}

std::vector<std::string> CsvImportReport(const CsvImportPlan& plan, Language language) {
    std::vector<std::string> lines;
    const std::string separator(BilingualText{": ", "："}.In(language));
    for (const CsvImportRow& row : plan.rows) {
        lines.push_back(RowHeading(row, plan.hasLocation, language) + separator +
                        CsvRowOutcome(row, language));
        for (const CsvMessage& note : row.notes) {
            lines.push_back(std::string(BilingualText{"  note: ", "  注："}.In(language)) +
                            CsvMessageText(note, language));
        }
    }
    if (std::string unknown = CsvUnknownColumnsText(plan, language); !unknown.empty()) {
        lines.push_back(std::move(unknown));
    }
    lines.push_back(CsvImportSummary(plan, language));
    return lines;
}

}  // namespace radioprog
