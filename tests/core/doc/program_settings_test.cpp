#include "core/doc/program_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

#include "../../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/settings_layout.h"

namespace radioprog {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

namespace fs = std::filesystem;

// An installed tree: usr/bin/radioprog, usr/share/radioprog, etc/radioprog and the user's
// folder, all in one temporary folder.
class InstalledTree : public ::testing::Test {
protected:
    InstalledTree() {
        fs::create_directories(m_dir / "usr/bin");
        fs::create_directories(m_dir / "usr/share/radioprog");
        fs::create_directories(m_dir / "etc/radioprog");
        WriteText(m_dir / "usr/bin/radioprog", "");
    }
    SettingsPlaces Places() const {
        SettingsPlaces places;
        places.executable = m_dir / "usr/bin/radioprog";
        places.dataFromBinaries = "../share/radioprog";
        places.dealerFolder = m_dir / "etc/radioprog";
        places.userFolder = m_dir / "home/.config/radioprog";
        return places;
    }
    fs::path Defaults() const { return m_dir / "usr/share/radioprog/Program.ini"; }
    fs::path Dealer() const { return m_dir / "etc/radioprog/Program.ini"; }
    fs::path User() const { return m_dir / "home/.config/radioprog/Program.ini"; }
    void WriteUser(const std::string& text) {
        fs::create_directories(User().parent_path());
        WriteText(User(), text);
    }

    TempDir m_dir;
};

TEST_F(InstalledTree, AnInstalledProgramReadsDefaultsDealerAndUserInThatOrder) {
    const SettingsLayout layout = ResolveSettingsLayout(Places());
    EXPECT_FALSE(layout.singleFolder);
    EXPECT_EQ(layout.appDirectory, m_dir / "usr/share/radioprog");
    EXPECT_EQ(layout.layers, (std::vector<fs::path>{Defaults(), Dealer(), User()}));
    EXPECT_EQ(layout.written(), User());
}

TEST_F(InstalledTree, OneFolderWhenNamedOrWhenTheProgramFolderHoldsTheSettings) {
    struct Case {
        const char* name;
        std::optional<std::string> option;
        std::optional<std::string> environment;
        bool settingsBesideProgram;
        fs::path folder;
    };
    const fs::path named = m_dir / "named";
    const fs::path fromEnvironment = m_dir / "environment";
    const Case cases[] = {
        {"option", named.string(), fromEnvironment.string(), true, named},
        {"environment", std::nullopt, fromEnvironment.string(), true, fromEnvironment},
        {"empty option", std::string(), fromEnvironment.string(), false, fromEnvironment},
        {"build folder", std::nullopt, std::nullopt, true, m_dir / "usr/bin"},
        {"empty environment", std::nullopt, std::string(), true, m_dir / "usr/bin"},
    };
    for (const Case& c : cases) {
        fs::remove(m_dir / "usr/bin/Program.ini");
        if (c.settingsBesideProgram) {
            WriteText(m_dir / "usr/bin/Program.ini", "");
        }
        SettingsPlaces places = Places();
        places.appDirOption = c.option;
        places.appDirEnvironment = c.environment;
        const SettingsLayout layout = ResolveSettingsLayout(places);
        EXPECT_TRUE(layout.singleFolder) << c.name;
        EXPECT_EQ(layout.appDirectory, c.folder) << c.name;
        EXPECT_EQ(layout.layers, (std::vector<fs::path>{c.folder / "Program.ini"})) << c.name;
    }
}

TEST_F(InstalledTree, ALaterLayerWinsKeyByKeyAndTheDefaultsKeepTheirComments) {
    WriteText(Defaults(),
              "[Setup]\nShowLang=1\nAppName=radioprog\nType1=RP-16V // the standard type\n"
              "[English]\nCompany=Radio Programming Software\nVersion=Version 0.1\n");
    WriteText(Dealer(), "[english]\nCOMPANY=Dealer Radios Ltd\n[Setup]\nType1=DR-1\n");
    WriteUser("[Setup]\nShowLang=0\n");
    ProgramSettings settings;
    ASSERT_TRUE(settings.Load(ResolveSettingsLayout(Places())).ok());
    EXPECT_EQ(settings.GetValue("Setup", "ShowLang", ""), "0");
    EXPECT_EQ(settings.GetValue("Setup", "Type1", ""), "DR-1");
    EXPECT_EQ(settings.GetValue("Setup", "AppName", ""), "radioprog");
    EXPECT_EQ(settings.GetValue("English", "Company", ""), "Dealer Radios Ltd");
    EXPECT_EQ(settings.GetValue("English", "Version", ""), "Version 0.1");
    // No layer has the key: the trimmed default when some layer has the section, the default
    // as given when none has.
    EXPECT_EQ(settings.GetValue("Setup", "Language", " x "), "x");
    EXPECT_EQ(settings.GetValue("Chinese", "Company", " x "), " x ");
}

TEST_F(InstalledTree, OnlyTheUsersLayerIsWrittenAndItsFolderIsMadeForIt) {
    WriteText(Defaults(), "[Setup]\nLanguage=English\nShowLang=1\n");
    WriteText(Dealer(), "[Setup]\nShowLang=1\n");
    const std::string defaults = ReadText(Defaults());
    const std::string dealer = ReadText(Dealer());
    {
        ProgramSettings settings;
        ASSERT_TRUE(settings.Load(ResolveSettingsLayout(Places())).ok());
        EXPECT_FALSE(fs::exists(User())) << "reading creates nothing";
        settings.SetValue("Setup", "Language", "Chinese");
        EXPECT_EQ(settings.GetValue("Setup", "Language", ""), "Chinese");
        EXPECT_EQ(settings.writtenPath(), User());
    }
    EXPECT_EQ(ReadText(User()), "[Setup]\nLanguage=Chinese\n");
    EXPECT_EQ(ReadText(Defaults()), defaults);
    EXPECT_EQ(ReadText(Dealer()), dealer);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "usr/share/radioprog"),
                            fs::directory_iterator()),
              1);
}

TEST_F(InstalledTree, NothingIsWrittenWhenNothingChangedOrWriteBackWasStopped) {
    WriteText(Defaults(), "[Setup]\nShowLang=1\n");
    {
        ProgramSettings settings;
        ASSERT_TRUE(settings.Load(ResolveSettingsLayout(Places())).ok());
    }
    {
        ProgramSettings settings;
        ASSERT_TRUE(settings.Load(ResolveSettingsLayout(Places())).ok());
        settings.SetValue("Setup", "Language", "Chinese");
        settings.StopWriteBack();
    }
    EXPECT_FALSE(fs::exists(User().parent_path()));
}

TEST_F(InstalledTree, AUsersFileThatCannotBeReadOrWrittenIsReportedAtLoadAndBySave) {
    struct Case {
        const char* name;
        std::function<void()> spoil;
        const char* atLoad;
        const char* atSave;
    };
    const Case cases[] = {
        {"a file where the folders should be",
         [this] {
             fs::create_directories(m_dir / "home");
             WriteText(m_dir / "home/.config", "");
         },
         "Not a directory", "it could not be read"},
        {"a folder where the file should be", [this] { fs::create_directories(User()); },
         "it is a folder, not a file", "it could not be read"},
    };
    for (const Case& c : cases) {
        fs::remove_all(m_dir / "home");
        c.spoil();
        ProgramSettings settings;
        EXPECT_EQ(settings.Load(ResolveSettingsLayout(Places())).message(),
                  "Cannot open \"" + User().string() + "\": " + c.atLoad)
            << c.name;
        settings.SetValue("Setup", "Language", "Chinese");
        const Status saved = settings.Save(false).status;
        EXPECT_NE(saved.message().find(c.atSave), std::string::npos) << c.name << saved.message();
    }
}

TEST_F(InstalledTree, AUsersFolderThatCannotBeMadeIsReportedBySave) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes in every folder";
    }
    fs::create_directories(m_dir / "home");
    ::chmod((m_dir / "home").c_str(), 0500);
    ProgramSettings settings;
    ASSERT_TRUE(settings.Load(ResolveSettingsLayout(Places())).ok());
    settings.SetValue("Setup", "Language", "Chinese");
    const Status saved = settings.Save(false).status;
    ::chmod((m_dir / "home").c_str(), 0700);
    EXPECT_NE(saved.message().find("Cannot create the folder"), std::string::npos)
        << saved.message();
    settings.StopWriteBack();
}

TEST_F(InstalledTree, ALayerThatExistsButCannotBeReadIsReportedAndCountsAsEmpty) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    WriteText(Defaults(), "[Setup]\nShowLang=1\n");
    WriteText(Dealer(), "[Setup]\nShowLang=0\n");
    ::chmod(Dealer().c_str(), 0);
    ProgramSettings settings;
    const Status loaded = settings.Load(ResolveSettingsLayout(Places()));
    EXPECT_EQ(loaded.message(), "Cannot read \"" + Dealer().string() + "\"");
    EXPECT_EQ(settings.GetValue("Setup", "ShowLang", ""), "1");
}

TEST_F(InstalledTree, ALayerThatIsAFolderIsReportedAndCountsAsEmpty) {
    WriteText(Defaults(), "[Setup]\nShowLang=1\n");
    fs::create_directories(Dealer());
    ProgramSettings settings;
    const Status loaded = settings.Load(ResolveSettingsLayout(Places()));
    EXPECT_EQ(loaded.message(),
              "Cannot open \"" + Dealer().string() + "\": it is a folder, not a file");
    EXPECT_EQ(settings.GetValue("Setup", "ShowLang", ""), "1");
}

TEST_F(InstalledTree, OneFolderIsCreatedWhenMissingAndWrittenInPlace) {
    const fs::path folder = m_dir / "appdir";
    fs::create_directories(folder);
    {
        ProgramSettings settings;
        ASSERT_TRUE(settings.Load(SingleFolderLayout(folder)).ok());
        EXPECT_TRUE(fs::is_regular_file(folder / "Program.ini"));
        settings.SetValue("Setup", "Language", "Chinese");
    }
    EXPECT_EQ(ReadText(folder / "Program.ini"), "[Setup]\nLanguage=Chinese\n");
}

// The locale decides the language only for an installed program whose settings name none.
class LanguageOfARun : public InstalledTree {
protected:
    LanguageOfARun() {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            if (const char* value = std::getenv(name)) {
                m_saved.emplace_back(name, value);
            }
            ::unsetenv(name);
        }
    }
    ~LanguageOfARun() override {
        ::unsetenv("LANG");
        for (const auto& [name, value] : m_saved) {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
    }
    std::vector<std::pair<std::string, std::string>> m_saved;
};

TEST_F(LanguageOfARun, AnInstalledProgramWithoutALanguageFollowsTheLocale) {
    struct Case {
        const char* name;
        const char* lang;
        std::string userLayer;
        std::string languageName;
        Language language;
    };
    const Case cases[] = {
        {"Chinese locale", "zh_CN.UTF-8", "", "Chinese", Language::Chinese},
        {"English locale", "en_US.UTF-8", "", "English", Language::English},
        {"no locale", nullptr, "", "English", Language::English},
        {"an empty value is no choice", "zh_CN.UTF-8", "[Setup]\nLanguage=\n", "Chinese",
         Language::Chinese},
        {"the user's choice wins", "zh_CN.UTF-8", "[Setup]\nLanguage=English\n", "English",
         Language::English},
        {"the user's choice wins, Chinese", "en_US.UTF-8", "[Setup]\nLanguage=Chinese\n", "Chinese",
         Language::Chinese},
    };
    WriteText(Defaults(), "[Setup]\nShowLang=1\n");
    for (const Case& c : cases) {
        WriteUser(c.userLayer);
        if (c.lang) {
            ::setenv("LANG", c.lang, 1);
        } else {
            ::unsetenv("LANG");
        }
        AppContext context(m_dir / "user.ini");
        ASSERT_TRUE(LoadSettings(context, ResolveSettingsLayout(Places())).ok());
        EXPECT_EQ(context.languageName, c.languageName) << c.name;
        EXPECT_EQ(context.language, c.language) << c.name;
        EXPECT_EQ(context.StoredLanguageName(), c.languageName) << c.name;
        EXPECT_EQ(context.appDirectory, m_dir / "usr/share/radioprog") << c.name;
    }
}

TEST_F(LanguageOfARun, OneFolderKeepsNeedingItsLanguage) {
    ::setenv("LANG", "zh_CN.UTF-8", 1);
    const fs::path folder = m_dir / "appdir";
    fs::create_directories(folder);
    WriteText(folder / "Program.ini", "[Setup]\nShowLang=1\n");
    AppContext context(m_dir / "user.ini");
    ASSERT_TRUE(LoadSettings(context, folder).ok());
    EXPECT_EQ(context.languageName, "");
    EXPECT_EQ(context.language, Language::English);
    EXPECT_EQ(context.StoredLanguageName(), "");
}

}  // namespace
}  // namespace radioprog
