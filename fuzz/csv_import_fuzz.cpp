// Feeds arbitrary text through the CSV reader and the channel import. Whatever the text:
// - the records read back the same after the writer wrote them (CSV and the clipboard form);
// - every row is stored in a channel of its own or skipped with a reason, and what it stores
//   is what the grid could hold: frequencies in band and on a step, tones of the tone list;
// - the channels stored export and import again to the same memory, byte for byte.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/base/csv_table.h"
#include "core/doc/csv_import.h"
#include "core/doc/program_doc.h"
#include "core/radio/frequency_rule.h"
#include "core/radio/tones.h"

using namespace radioprog;

namespace {

const BandLimits kBand(136, 174);

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<std::vector<std::string>> Records(const CsvTable& table) {
    std::vector<std::vector<std::string>> records = {table.header.fields};
    for (const CsvRecord& record : table.records) {
        records.push_back(record.fields);
    }
    return records;
}

void CheckWriterReadsBack(const CsvTable& table) {
    const auto records = Records(table);
    for (const bool tabs : {false, true}) {
        CsvTable again;
        const std::string text = tabs ? WriteTabSeparated(records) : WriteCsv(records);
        Check((tabs ? ReadTabSeparated(text, again, Language::English)
                    : ReadCsv(text, again, Language::English))
                  .ok());
        Check(Records(again) == records);
    }
}

bool IsToneText(const std::string& text) {
    static const std::vector<std::string> list = ToneList(Language::English);
    if (std::find(list.begin(), list.end(), text) != list.end()) {
        return true;
    }
    // The codes the radio converts but the list does not offer.
    const auto known = KnownDcsCodes();
    return text.size() == 5 && text[0] == 'D' && (text[4] == 'N' || text[4] == 'I') &&
           std::find(known.begin(), known.end(), std::atoi(text.substr(1, 3).c_str())) !=
               known.end();
}

void CheckPlan(const CsvImportPlan& plan) {
    std::array<bool, 17> taken{};
    for (const CsvImportRow& row : plan.rows) {
        for (Language language : {Language::English, Language::Chinese}) {
            Check(!CsvRowOutcome(row, language).empty());
            Check(!CsvRowDetails(row, language).empty() || row.stored());
        }
        if (!row.stored()) {
            Check(row.notes.empty());
            continue;
        }
        Check(row.channel >= 1 && row.channel <= 16);
        const auto channel = static_cast<std::size_t>(row.channel);
        Check(!taken[channel]);
        taken[channel] = true;
        for (const std::string& frequency : {row.texts[0], row.texts[1]}) {
            const FrequencyEntry entry = CheckFrequency(frequency, kBand);
            Check(entry.verdict == FrequencyVerdict::Accepted && entry.shownText == frequency);
        }
        Check(IsToneText(row.texts[2]) && IsToneText(row.texts[3]));
    }
    Check(plan.StoredCount() + plan.SkippedCount() == static_cast<int>(plan.rows.size()));
}

// The stored channels go out and come back into a document that starts the same.
void CheckRoundTrip(const CsvImportPlan& plan) {
    CProgramDoc first;
    ApplyCsvImport(first, plan, false);
    first.StoreTexts(kBand);
    CsvTable table;
    Check(ReadCsv(ExportChannelsCsv(first.image()), table, Language::English).ok());
    CsvImportPlan again;
    Check(PlanCsvImport(table, kBand, Language::English, again).ok());
    Check(again.SkippedCount() == 0 && again.StoredCount() == plan.StoredCount());
    CProgramDoc second;
    ApplyCsvImport(second, again, false);
    second.StoreTexts(kBand);
    Check(second.image() == first.image());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CsvTable table;
    if (!ReadCsv(text, table, Language::English).ok()) {
        return 0;
    }
    CheckWriterReadsBack(table);
    CsvImportPlan plan;
    if (!PlanCsvImport(table, kBand, Language::English, plan).ok()) {
        return 0;
    }
    CheckPlan(plan);
    CsvImportReport(plan, Language::Chinese);
    CheckRoundTrip(plan);
    return 0;
}
