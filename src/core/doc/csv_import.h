#pragma once

#include <filesystem>
#include <string>

#include "core/base/language.h"
#include "core/base/status.h"
#include "core/radio/band_limits.h"
#include "core/radio/csv_exchange.h"

namespace radioprog {

class CProgramDoc;

/// Reads the channel file @p path (CSV) and plans its import into a document whose band is
/// @p band (PlanCsvImport). Fails, saying why in @p language, when the file cannot be read or is
/// no channel file.
[[nodiscard]] Status PlanCsvImportFile(const std::filesystem::path& path, const BandLimits& band,
                                       Language language, CsvImportPlan& plan);

/// Puts every stored row of @p plan into its channel as one edit of @p doc; with @p replace
/// every other channel is emptied, otherwise it keeps what it holds. Returns whether the
/// document changed.
bool ApplyCsvImport(CProgramDoc& doc, const CsvImportPlan& plan, bool replace);

/// The channel file of @p doc's channels as the grid shows them (its texts stored into a copy
/// of the image with @p band); the document itself is not changed.
std::string ExportDocumentCsv(const CProgramDoc& doc, const BandLimits& band);

}  // namespace radioprog
