#include "base/help_page.h"

#include <gtest/gtest.h>

#include "../../support/temp_dir.h"

namespace radioprog {
namespace {

using testing::TempDir;
using testing::WriteText;

TEST(HelpPage, FindsThePageOfTheNumberInTheFolderOfTheLanguage) {
    TempDir dir;
    std::filesystem::create_directories(dir / "help" / "en");
    std::filesystem::create_directories(dir / "help" / "zh" / "1009.html");
    WriteText(dir / "help" / "en" / "32777.html", "<p>COM Setup</p>");
    WriteText(dir / "help" / "en" / "1009.html", "<p>Field</p>");
    const struct {
        Language language;
        int contextNumber;
        std::optional<std::filesystem::path> page;
    } cases[] = {
        {Language::English, 32777, dir / "help" / "en" / "32777.html"},
        {Language::English, 1009, dir / "help" / "en" / "1009.html"},
        {Language::English, 1013, std::nullopt},
        {Language::Chinese, 32777, std::nullopt},
        // A folder of that name is no page.
        {Language::Chinese, 1009, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contextNumber);
        EXPECT_EQ(HelpPage(dir.path(), c.language, c.contextNumber), c.page);
    }
    EXPECT_EQ(HelpPage(dir / "missing", Language::English, 32777), std::nullopt);
}

}  // namespace
}  // namespace radioprog
