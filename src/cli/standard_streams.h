#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "core/base/language.h"
#include "core/base/status.h"

namespace radioprog::cli {

/// The file name that stands for standard input (of `show`) or standard output (of `-o`).
inline constexpr std::string_view kStandardStream = "-";

/// Whether @p name is "-".
bool IsStandardStream(std::string_view name);

/// The path a command opens to read @p name: the process's standard input for "-".
std::filesystem::path InputPath(const std::string& name);

/// Writes @p bytes to the file @p name atomically, or to standard output for "-"; the failure
/// names the file (or standard output) and the cause.
Status WriteOutput(const std::string& name, std::string_view bytes, Language language);
Status WriteOutput(const std::string& name, std::span<const std::uint8_t> bytes, Language language);

}  // namespace radioprog::cli
