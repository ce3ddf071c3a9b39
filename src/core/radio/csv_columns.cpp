#include "core/radio/csv_columns.h"

#include <algorithm>

#include "core/base/ascii_text.h"

namespace radioprog {
namespace {

constexpr std::array<std::string_view, kCsvColumnCount> kNames = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE",
};

}  // namespace

std::string_view CsvColumnName(CsvColumn column) {
    return kNames[static_cast<std::size_t>(column)];
}

std::vector<std::string> CsvHeader() {
    return {kNames.begin(), kNames.end()};
}

CsvColumns::CsvColumns(const CsvRecord& header) {
    m_index.fill(-1);
    for (std::size_t at = 0; at < header.fields.size(); ++at) {
        const std::string_view name = TrimBlanks(header.fields[at]);
        if (name.empty()) {
            continue;  // a trailing delimiter, as spreadsheets write them; nothing to name
        }
        const auto known = std::find_if(kNames.begin(), kNames.end(), [&](std::string_view n) {
            return EqualsIgnoringAsciiCase(n, name);
        });
        int* index = known == kNames.end()
                         ? nullptr
                         : &m_index[static_cast<std::size_t>(known - kNames.begin())];
        if (index && *index < 0) {
            *index = static_cast<int>(at);
        } else if (std::find(m_ignored.begin(), m_ignored.end(), name) == m_ignored.end()) {
            m_ignored.emplace_back(name);  // unknown, or a known name given again
        }
    }
}

std::string_view CsvColumns::Field(const CsvRecord& record, CsvColumn column) const {
    const int index = Index(column);
    if (index < 0 || static_cast<std::size_t>(index) >= record.fields.size()) {
        return {};
    }
    return TrimBlanks(record.fields[static_cast<std::size_t>(index)]);
}

}  // namespace radioprog
