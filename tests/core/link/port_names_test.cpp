#include "core/link/port_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace radioprog {
namespace {

TEST(ComSlot, ReadsTheNumberOfAnyComNameInAnyCase) {
    const struct {
        std::string_view name;
        std::optional<int> slot;
    } cases[] = {
        {"COM1", 1},
        {"com2", 2},
        {"Com3", 3},
        {"cOM4", 4},
        {"COM0", 0},
        {"com7", 7},
        {"COM10", 10},
        {"COM007", 7},
        {"COM", std::nullopt},
        {"COM-1", std::nullopt},
        {"COM+1", std::nullopt},
        {"COM1 ", std::nullopt},
        {" COM1", std::nullopt},
        {"COM1a", std::nullopt},
        {"COMX", std::nullopt},
        {"COM99999999999", std::nullopt},
        {"LPT1", std::nullopt},
        {"CO1", std::nullopt},
        {"/dev/ttyUSB0", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComSlot(c.name), c.slot);
    }
}

}  // namespace
}  // namespace radioprog
