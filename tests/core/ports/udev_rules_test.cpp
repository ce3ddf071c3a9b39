#include "core/ports/udev_rules.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "../../support/fixture_system.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;

constexpr UsbId kCh340{0x1a86, 0x7523};
constexpr UsbId kPl2303{0x067b, 0x2303};
constexpr std::string_view kIgnore = "ENV{ID_MM_DEVICE_IGNORE}=\"1\"";

TEST(UdevRules, AnEarlierFolderHidesAFileOfTheSameNameAndFilesComeInNameOrder) {
    FixtureSystem system;
    system.AddRules(2, "85-brltty.rules", "");
    system.AddRules(1, "60-radioprog.rules", "");
    system.AddRules(0, "60-radioprog.rules", "");
    system.AddRules(1, "README", "");
    const auto files = RuleFiles(system.roots());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], system.top() / "etc/udev/rules.d/60-radioprog.rules");
    EXPECT_EQ(files[1], system.top() / "usr/lib/udev/rules.d/85-brltty.rules");
}

TEST(UdevRules, ARuleNamesAnAdapterByItsAttributesOrItsProductAndMayHaveToSetAValue) {
    const struct {
        const char* what;
        std::string rules;
        UsbId id;
        std::string_view assignment;
        bool found;
    } cases[] = {
        {"vendor and product", R"(ATTRS{idVendor}=="1a86", ATTRS{idProduct}=="7523", TAG+="x")",
         kCh340, "", true},
        {"another product", R"(ATTRS{idVendor}=="1a86", ATTRS{idProduct}=="5523", TAG+="x")",
         kCh340, "", false},
        {"the whole vendor", R"(ATTRS{idVendor}=="1a86", ENV{ID_MM_DEVICE_IGNORE}="1")", kCh340,
         kIgnore, true},
        {"a pattern", R"(ATTRS{idVendor}=="067b", ATTRS{idProduct}=="23?3", TAG+="x")",
         UsbId{0x067b, 0x23a3}, "", true},
        {"upper-case hexadecimal", R"(ATTRS{idVendor}=="1A86", ATTRS{idProduct}=="7523")", kCh340,
         "", true},
        {"brltty's form: unpadded product",
         R"(ENV{PRODUCT}=="67b/2303/*", ENV{BRLTTY_BRAILLE_DRIVER}="bm", GOTO="brltty_usb_run")",
         kPl2303, "", true},
        {"brltty's form, another product", R"(ENV{PRODUCT}=="67b/2304/*", GOTO="x")", kPl2303, "",
         false},
        {"a comment", R"(# ATTRS{idVendor}=="1a86", ATTRS{idProduct}=="7523")", kCh340, "", false},
        {"without the value", R"(ATTRS{idVendor}=="1a86", ATTRS{idProduct}=="7523", TAG+="x")",
         kCh340, kIgnore, false},
        {"a rule over two lines",
         "ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", \\\n  "
         "ENV{ID_MM_DEVICE_IGNORE}=\"1\"",
         kCh340, kIgnore, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FixtureSystem system;
        system.AddRules(0, "50-test.rules", c.rules + "\n");
        const auto files = RuleFiles(system.roots());
        const auto found = FindRuleFor(files, c.id, c.assignment);
        EXPECT_EQ(found.has_value(), c.found);
    }
}

TEST(UdevRules, TheProgramsRuleTellsModemManagerToKeepOffAndLetsTheUserInForEveryKnownAdapter) {
    const std::filesystem::path rules =
        std::filesystem::path(RADIOPROG_UDEV_SOURCE) / kRadioprogRules;
    const std::vector<std::filesystem::path> files = {rules};
    for (const KnownAdapter& adapter : KnownAdapters()) {
        SCOPED_TRACE(std::string(adapter.chip));
        EXPECT_TRUE(FindRuleFor(files, adapter.id, kIgnore));
        EXPECT_TRUE(FindRuleFor(files, adapter.id, "TAG+=\"uaccess\""));
    }
    // And names nothing else.
    std::ifstream in(rules);
    std::string line;
    std::set<std::pair<std::string, std::string>> named;
    static const std::regex pair(
        R"re(ATTRS\{idVendor\}=="([0-9a-f]{4})", ATTRS\{idProduct\}=="([0-9a-f]{4})")re");
    while (std::getline(in, line)) {
        std::smatch match;
        if (std::regex_search(line, match, pair)) {
            named.insert({match[1], match[2]});
        }
    }
    EXPECT_EQ(named.size(), KnownAdapters().size());
}

}  // namespace
}  // namespace radioprog
