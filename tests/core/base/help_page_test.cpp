#include "core/base/help_page.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "../../support/temp_dir.h"
#include "core/radio/cell_editing.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

// The pages as they are kept in the source tree, which the build copies next to the program.
const fs::path kPages = RADIOPROG_HELP_SOURCE;
constexpr const char* kFolders[] = {"en", "zh"};

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        found.push_back((*it)[1].str());
    }
    return found;
}

std::vector<std::string> Ids(const std::string& html) {
    static const std::regex id(R"re(\sid="([^"]*)")re");
    return Matches(html, id);
}

std::set<std::string> PageNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Page name -> its ids, for one language.
std::map<std::string, std::set<std::string>> Anchors(const char* folder) {
    std::map<std::string, std::set<std::string>> anchors;
    for (const std::string& name : PageNames(kPages / folder)) {
        const std::vector<std::string> ids = Ids(ReadText(kPages / folder / name));
        anchors[name] = {ids.begin(), ids.end()};
    }
    return anchors;
}

TEST(HelpPages, EveryTopicOfTheTableIsAPageWithItsAnchorInBothLanguages) {
    for (const char* folder : kFolders) {
        SCOPED_TRACE(folder);
        const auto anchors = Anchors(folder);
        for (const HelpEntry& entry : HelpEntries()) {
            SCOPED_TRACE(std::string(entry.dialog) + " " + std::to_string(entry.contextNumber));
            const auto page = anchors.find(std::string(entry.topic.page));
            ASSERT_NE(page, anchors.end()) << entry.topic.page;
            if (!entry.topic.anchor.empty()) {
                EXPECT_TRUE(page->second.contains(std::string(entry.topic.anchor)))
                    << entry.topic.page << "#" << entry.topic.anchor;
            }
        }
        for (const HelpDialog& dialog : HelpDialogs()) {
            EXPECT_TRUE(anchors.contains(std::string(dialog.page))) << dialog.page;
        }
        EXPECT_TRUE(anchors.contains(std::string(kHelpIndexPage)));
    }
}

TEST(HelpPages, EveryEnglishPageHasAChineseTwinWithTheSameAnchors) {
    const auto english = Anchors("en");
    const auto chinese = Anchors("zh");
    ASSERT_FALSE(english.empty());
    for (const auto& [name, ids] : english) {
        SCOPED_TRACE(name);
        const auto twin = chinese.find(name);
        ASSERT_NE(twin, chinese.end());
        EXPECT_EQ(twin->second, ids);
    }
    EXPECT_EQ(chinese.size(), english.size());
}

// A browser goes to the first element of an id, so a repeated id hides a topic.
TEST(HelpPages, AreUtf8PagesWithUniqueIdsTheSharedStyleAndNoScript) {
    ASSERT_TRUE(fs::is_regular_file(kPages / "help.css"));
    for (const char* folder : kFolders) {
        for (const std::string& name : PageNames(kPages / folder)) {
            SCOPED_TRACE(std::string(folder) + "/" + name);
            const std::string html = ReadText(kPages / folder / name);
            EXPECT_TRUE(html.starts_with("<!DOCTYPE html>"));
            EXPECT_NE(html.find(R"(<meta charset="utf-8">)"), std::string::npos);
            EXPECT_NE(html.find(R"(href="../help.css")"), std::string::npos);
            EXPECT_EQ(html.find("<script"), std::string::npos);
            std::multiset<std::string> ids;
            for (const std::string& id : Ids(html)) {
                EXPECT_EQ(ids.count(id), 0u) << "repeated id " << id;
                ids.insert(id);
            }
        }
    }
}

TEST(HelpPages, EveryLinkBetweenPagesLeadsToAPageAndAnchorThatExist) {
    static const std::regex href(R"re(href="([^"]*)")re");
    for (const char* folder : kFolders) {
        const auto anchors = Anchors(folder);
        for (const auto& [name, ids] : anchors) {
            for (const std::string& link : Matches(ReadText(kPages / folder / name), href)) {
                if (link == "../help.css") {
                    continue;
                }
                SCOPED_TRACE(std::string(folder) + "/" + name + " -> " + link);
                const auto hash = link.find('#');
                const std::string page = hash == 0 ? name : link.substr(0, hash);
                const auto target = anchors.find(page);
                ASSERT_NE(target, anchors.end());
                if (hash != std::string::npos) {
                    EXPECT_TRUE(target->second.contains(link.substr(hash + 1)));
                }
            }
        }
    }
}

TEST(HelpTopics, ANumberIsLookedUpInTheDialogThatAsksThenAmongCommandsThenFallsBack) {
    const struct {
        std::string_view dialog;
        int number;
        HelpTopic topic;
    } cases[] = {
        // The same control id means different fields in different dialogs.
        {"CProductInfoDlg", 1009, {"product-information.html", "field"}},
        {"CScanInfoDlg", 1009, {"scan-information.html", "look-back-time-b"}},
        {"CComSetupDlg", 1009, {"com-setup.html", "com3"}},
        {"COptionalFeaturesDlg", 1005, {"optional-features.html", "battery-saver"}},
        {"CScanInfoDlg", 1005, {"scan-information.html", "look-back-time-b"}},
        // OK and Cancel lead to the page of their dialog.
        {"CProductInfoDlg", 1, {"product-information.html", ""}},
        {"COptionalFeaturesDlg", 2, {"optional-features.html", ""}},
        {"CScanInfoDlg", 1, {"scan-information.html", ""}},
        // A dialog asking with its command's number.
        {"CComSetupDlg", 32777, {"com-setup.html", ""}},
        {"CLanguageDlg", 32799, {"language.html", ""}},
        // The main window, its menu commands and the channel view.
        {"", 65664, {"main-window.html", ""}},
        {"", 32773, {"read-write.html", "read"}},
        {"", 57607, {"report.html", "print"}},
        {"", 1000, {"channels.html", "grid"}},
        {"", 2127, {"channels.html", "rx-frequency"}},
        // A control of a dialog is nothing outside it.
        {"", 1009, {"index.html", ""}},
        {"", 1, {"index.html", ""}},
        {"", 0, {"index.html", ""}},
        {"", -5, {"index.html", ""}},
        {"CNoSuchDlg", 1009, {"index.html", ""}},
        {"CNoSuchDlg", 32788, {"optional-features.html", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + " " + std::to_string(c.number));
        EXPECT_EQ(FindHelpTopic(c.dialog, c.number), c.topic);
    }
}

TEST(HelpTopics, EveryControlOfTheChannelViewHasATopicOfItsOwn) {
    EXPECT_EQ(FindHelpTopic("", 1000).page, "channels.html");
    for (int col = 1; col <= 8; ++col) {
        SCOPED_TRACE(col);
        const HelpTopic topic = FindHelpTopic("", EditorIdForColumn(col));
        EXPECT_EQ(topic.page, "channels.html");
        EXPECT_FALSE(topic.anchor.empty());
    }
}

TEST(HelpTopics, NoNumberHasTwoTopicsInOneDialog) {
    std::set<std::pair<std::string_view, int>> seen;
    for (const HelpEntry& entry : HelpEntries()) {
        EXPECT_TRUE(seen.insert({entry.dialog, entry.contextNumber}).second)
            << entry.dialog << " " << entry.contextNumber;
    }
}

class LocateHelpTest : public ::testing::Test {
protected:
    void Install(const char* folder, const char* page) {
        fs::create_directories(m_dir / "help" / folder);
        WriteText(m_dir / "help" / folder / page, "<p id=\"field\">help</p>");
    }
    TempDir m_dir;
};

TEST_F(LocateHelpTest, FindsThePageInTheFolderOfTheLanguageWithTheAnchor) {
    Install("en", "product-information.html");
    Install("zh", "product-information.html");
    const HelpLocation english =
        LocateHelp(m_dir.path(), Language::English, "CProductInfoDlg", 1009);
    EXPECT_TRUE(english.ok()) << english.error;
    EXPECT_EQ(english.file, m_dir / "help" / "en" / "product-information.html");
    EXPECT_EQ(english.anchor, "field");
    const HelpLocation chinese = LocateHelp(m_dir.path(), Language::Chinese, "CProductInfoDlg", 2);
    EXPECT_TRUE(chinese.ok()) << chinese.error;
    EXPECT_EQ(chinese.file, m_dir / "help" / "zh" / "product-information.html");
    EXPECT_EQ(chinese.anchor, "");
}

TEST_F(LocateHelpTest, AMissingPageIsReportedWithItsPathInTheLanguageOfTheRun) {
    Install("en", "product-information.html");
    // A folder of the page's name is no page.
    fs::create_directories(m_dir / "help" / "en" / "index.html");
    const struct {
        Language language;
        int number;
        fs::path file;
        const char* words;
    } cases[] = {
        {Language::Chinese, 1009, m_dir / "help" / "zh" / "index.html", "缺少帮助页面"},
        {Language::English, 1009, m_dir / "help" / "en" / "index.html", "is missing"},
        {Language::English, 32777, m_dir / "help" / "en" / "com-setup.html", "is missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.string());
        const HelpLocation help = LocateHelp(m_dir.path(), c.language, "", c.number);
        EXPECT_FALSE(help.ok());
        EXPECT_EQ(help.file, c.file);
        EXPECT_NE(help.error.find(c.file.string()), std::string::npos) << help.error;
        EXPECT_NE(help.error.find(c.words), std::string::npos) << help.error;
    }
}

}  // namespace
}  // namespace radioprog
