#include "core/radio/dialog_controls.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "../../support/temp_dir.h"

namespace radioprog {
namespace {

// The help pages describe each control under its label, so they must use the dialog's words.
// A control's anchor is its English label in lower case with hyphens.
std::string Anchor(std::string_view label) {
    std::string anchor;
    for (char c : label) {
        anchor += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return anchor;
}

template <typename Control>
void ExpectHelpUsesTheLabels(const char* page, Control first, Control last) {
    for (const char* language : {"en", "zh"}) {
        const std::string text =
            testing::ReadText(std::filesystem::path(RADIOPROG_HELP_SOURCE) / language / page);
        ASSERT_FALSE(text.empty()) << language << "/" << page;
        for (int c = static_cast<int>(first); c <= static_cast<int>(last); ++c) {
            const ControlName name = NameOf(static_cast<Control>(c));
            const std::string label(name.label.In(
                language == std::string("en") ? Language::English : Language::Chinese));
            const std::string dt = "<dt id=\"" + Anchor(name.label.english) + "\">" + label;
            EXPECT_NE(text.find(dt), std::string::npos) << language << "/" << page << ": " << dt;
        }
    }
}

TEST(DialogControls, TheHelpPagesNameEveryControlAsTheDialogDoes) {
    ExpectHelpUsesTheLabels("optional-features.html", OptionControl::TimeOutTimer,
                            OptionControl::RemoveStunCode);
    ExpectHelpUsesTheLabels("scan-information.html", ScanControl::Priority,
                            ScanControl::TxDwellTime);
}

TEST(DialogControls, ShowListsEveryControlOnceUnderItsOwnKey) {
    RadioImage image{};
    image.fill(0xFF);
    for (const ShownDialog& dialog : ShowSettingsDialogs(image, Language::Chinese)) {
        std::set<std::string> keys;
        for (const ShownControl& control : dialog.controls) {
            EXPECT_TRUE(keys.insert(control.name.key).second) << control.name.key;
            EXPECT_NE(std::string(control.name.label.In(Language::Chinese)), "");
        }
        EXPECT_EQ(keys.size(), std::string(dialog.key) == "options" ? 13u : 7u);
    }
}

}  // namespace
}  // namespace radioprog
