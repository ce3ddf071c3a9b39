#include "core/doc/about_texts.h"

#include <gtest/gtest.h>

#include "../../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/ini_profile.h"

namespace radioprog {
namespace {

TEST(AboutTexts, ComeFromTheLanguageSectionAndAreEmptyWhenMissing) {
    testing::TempDir dir;
    testing::WriteText(dir / "Program.ini",
                       "[Setup]\nLanguage=Chinese\n"
                       "[English]\nAbout Title=About It\nVersion=Version 2\n"
                       "Copyrights=(C) 2026\nCopyrights Owner=Us\n"
                       "[Chinese]\nabout title=关于\nVersion=版本 2\n");
    CIniProfile profile;
    ASSERT_TRUE(profile.LoadFile(dir / "Program.ini", false, true, false));

    const AboutTexts english = ReadAboutTexts(profile, "English");
    EXPECT_EQ(english.title, "About It");
    EXPECT_EQ(english.version, "Version 2");
    EXPECT_EQ(english.copyright, "(C) 2026");
    EXPECT_EQ(english.owner, "Us");

    // The store of a run matches names without regard to case.
    const AboutTexts chinese = ReadAboutTexts(profile, "chinese");
    EXPECT_EQ(chinese.title, "关于");
    EXPECT_EQ(chinese.version, "版本 2");
    EXPECT_EQ(chinese.copyright, "");
    EXPECT_EQ(chinese.owner, "");

    const AboutTexts none = ReadAboutTexts(profile, "");
    EXPECT_EQ(none.title, "");
    EXPECT_EQ(none.version, "");
}

TEST(ReportOwner, CopyrightsOwnerOfTheLanguageSection) {
    testing::TempDir dir;
    testing::WriteText(dir / "Program.ini",
                       "[Setup]\nLanguage=English\n[English]\nCopyrights Owner=Example Radio Co.\n"
                       "[Chinese]\nCompany=示例\n");
    AppContext context(dir / "user.ini");
    EXPECT_TRUE(LoadSettings(context, dir.path()));
    EXPECT_EQ(ReportOwner(context), "Example Radio Co.");

    context.languageName = "Chinese";  // the section exists, the key does not
    EXPECT_EQ(ReportOwner(context), "");
    context.languageName = "French";  // no such section
    EXPECT_EQ(ReportOwner(context), "");
}

}  // namespace
}  // namespace radioprog
