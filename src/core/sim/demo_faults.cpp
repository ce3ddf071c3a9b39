#include "core/sim/demo_faults.h"

#include <charconv>
#include <cstdlib>

namespace radioprog {
namespace {

bool ParseMilliseconds(std::string_view text, std::chrono::milliseconds& value) {
    long count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || count < 0) {
        return false;
    }
    value = std::chrono::milliseconds(count);
    return true;
}

bool ApplyFault(std::string_view name, std::string_view value, SimFaults& faults) {
    if (name == "drop-write") {
        faults.dropWrite = ParseHalfBlockAddress(value);
        return faults.dropWrite.has_value();
    }
    if (name == "noise-before") {
        faults.noiseBefore = ParseHalfBlockAddress(value);
        return faults.noiseBefore.has_value();
    }
    if (name == "restart-after-write") {
        std::chrono::milliseconds ms{};
        if (!ParseMilliseconds(value, ms)) {
            return false;
        }
        faults.restartAfterWrite = ms;
        return true;
    }
    return false;
}

}  // namespace

std::optional<SimFaults> ParseDemoFaults(std::string_view text, std::string& error) {
    SimFaults faults;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos ||
            !ApplyFault(item.substr(0, equals), item.substr(equals + 1), faults)) {
            error = std::string(kDemoFaultsVariable) + ": cannot use \"" + std::string(item) +
                    "\" (drop-write=ADDR, noise-before=ADDR or restart-after-write=MS)";
            return std::nullopt;
        }
    }
    return faults;
}

std::optional<SimFaults> DemoFaultsFromEnvironment(std::string& error) {
    const char* text = std::getenv(kDemoFaultsVariable);
    return ParseDemoFaults(text != nullptr ? text : "", error);
}

}  // namespace radioprog
