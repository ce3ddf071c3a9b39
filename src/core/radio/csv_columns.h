#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/csv_table.h"

namespace radioprog {

/// The columns of a channel file, in the order of the current header (21 columns).
enum class CsvColumn {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    RToneFreq,
    CToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    UrCall,
    Rpt1Call,
    Rpt2Call,
    DvCode,
};
inline constexpr std::size_t kCsvColumnCount = 21;

/// The header name of @p column, such as "rToneFreq".
std::string_view CsvColumnName(CsvColumn column);
/// The 21 names of the current header, in order.
std::vector<std::string> CsvHeader();

/// Where a file's header puts each column. Names are found in any order, without regard to
/// ASCII case and to blanks around them; a name given twice counts where it stands first.
/// An empty name (a trailing delimiter) is no column.
class CsvColumns {
public:
    explicit CsvColumns(const CsvRecord& header);

    bool Has(CsvColumn column) const { return Index(column) >= 0; }
    /// The field of @p column in @p record without blanks around it; empty when the file has
    /// no such column or the record ends before it.
    std::string_view Field(const CsvRecord& record, CsvColumn column) const;
    /// The header's names that are none of the 21, and known names given again: each once, in
    /// header order. Their fields are not read.
    const std::vector<std::string>& ignored() const { return m_ignored; }

private:
    int Index(CsvColumn column) const { return m_index[static_cast<std::size_t>(column)]; }

    std::array<int, kCsvColumnCount> m_index;
    std::vector<std::string> m_ignored;
};

}  // namespace radioprog
