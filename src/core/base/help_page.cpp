#include "core/base/help_page.h"

#include <algorithm>
#include <system_error>

namespace radioprog {
namespace {

constexpr std::string_view kChannels = "channels.html";
constexpr std::string_view kComSetup = "com-setup.html";
constexpr std::string_view kCsv = "csv.html";
constexpr std::string_view kFleet = "fleet.html";
constexpr std::string_view kLanguage = "language.html";
constexpr std::string_view kLogin = "login.html";
constexpr std::string_view kMainWindow = "main-window.html";
constexpr std::string_view kOptionalFeatures = "optional-features.html";
constexpr std::string_view kPassword = "password.html";
constexpr std::string_view kProductInformation = "product-information.html";
constexpr std::string_view kReadWrite = "read-write.html";
constexpr std::string_view kReport = "report.html";
constexpr std::string_view kSafety = "safety.html";
constexpr std::string_view kScanInformation = "scan-information.html";

constexpr std::string_view kProductInfoDlg = "CProductInfoDlg";
constexpr std::string_view kComSetupDlg = "CComSetupDlg";
constexpr std::string_view kOptionalFeaturesDlg = "COptionalFeaturesDlg";
constexpr std::string_view kScanInfoDlg = "CScanInfoDlg";
constexpr std::string_view kLanguageDlg = "CLanguageDlg";
constexpr std::string_view kPasswordDlg = "CPasswordDlg";
constexpr std::string_view kPortChooserDlg = "CPortChooserDlg";
constexpr std::string_view kFindCableDlg = "CFindCableDlg";
constexpr std::string_view kCsvImportDlg = "CCsvImportDlg";
constexpr std::string_view kTransferOptionsDlg = "CTransferOptionsDlg";
constexpr std::string_view kBackupsDlg = "CBackupsDlg";
constexpr std::string_view kCompareDlg = "CCompareDlg";
constexpr std::string_view kFleetWriteDlg = "CFleetWriteDlg";
constexpr std::string_view kSetForSelectedDlg = "CSetForSelectedDlg";

constexpr HelpEntry kEntries[] = {
    // The main window as a whole: the framework's help for the frame, 0x10080.
    {"", 65664, {kMainWindow, ""}},
    // Commands, asked for with their menu item highlighted.
    {"", 32773, {kReadWrite, "read"}},
    {"", 32774, {kReadWrite, "write"}},
    {"", 32777, {kComSetup, ""}},
    {"", 32780, {kMainWindow, "control-bar"}},
    {"", 32782, {kScanInformation, ""}},
    {"", 32783, {kPassword, ""}},
    {"", 32786, {kProductInformation, ""}},
    {"", 32787, {kChannels, "channel-window"}},
    {"", 32788, {kOptionalFeatures, ""}},
    {"", 32799, {kLanguage, ""}},
    {"", 32800, {kReadWrite, "serial-trace"}},
    {"", 32801, {kCsv, "import"}},
    {"", 32802, {kCsv, "export"}},
    {"", 32803, {kSafety, "transfer-options"}},
    {"", 32804, {kSafety, "backups"}},
    {"", 32805, {kSafety, "compare-with-file"}},
    {"", 32806, {kSafety, "compare-with-radio"}},
    {"", 32820, {kFleet, ""}},
    {"", 32810, {kChannels, "undo"}},
    {"", 32811, {kChannels, "undo"}},
    {"", 32812, {kChannels, "clipboard"}},
    {"", 32813, {kChannels, "clipboard"}},
    {"", 32814, {kChannels, "clipboard"}},
    {"", 32815, {kChannels, "rows"}},
    {"", 32816, {kChannels, "rows"}},
    {"", 32817, {kChannels, "rows"}},
    {"", 32818, {kChannels, "rows"}},
    {"", 32819, {kChannels, "set-for-selected"}},
    {"", 57600, {kMainWindow, "new"}},
    {"", 57601, {kMainWindow, "open"}},
    {"", 57602, {kMainWindow, "close"}},
    {"", 57603, {kMainWindow, "save"}},
    {"", 57604, {kMainWindow, "save-as"}},
    {"", 57606, {kReport, "print-setup"}},
    {"", 57607, {kReport, "print"}},
    {"", 57608, {kReport, "print"}},
    {"", 57609, {kReport, "print-preview"}},
    {"", 57664, {kMainWindow, "about"}},
    {"", 57665, {kMainWindow, "exit"}},
    {"", 59392, {kMainWindow, "toolbar"}},
    {"", 59393, {kMainWindow, "status-bar"}},
    // The channel grid and its in-place editors.
    {"", 1000, {kChannels, "grid"}},
    {"", 2127, {kChannels, "rx-frequency"}},
    {"", 2128, {kChannels, "tx-frequency"}},
    {"", 2132, {kChannels, "qt-dqt-dec"}},
    {"", 2133, {kChannels, "qt-dqt-enc"}},
    {"", 1129, {kChannels, "power"}},
    {"", 1134, {kChannels, "scan-add"}},
    {"", 1139, {kChannels, "busy-lock"}},
    {"", 1128, {kChannels, "wide-narrow"}},

    {kProductInfoDlg, 1013, {kProductInformation, "type"}},
    {kProductInfoDlg, 1009, {kProductInformation, "field"}},
    {kProductInfoDlg, 1113, {kProductInformation, "custom-start"}},
    {kProductInfoDlg, 1114, {kProductInformation, "custom-end"}},

    {kComSetupDlg, 1007, {kComSetup, "com1"}},
    {kComSetupDlg, 1008, {kComSetup, "com2"}},
    {kComSetupDlg, 1009, {kComSetup, "com3"}},
    {kComSetupDlg, 1010, {kComSetup, "com4"}},
    {kComSetupDlg, 1011, {kComSetup, "change"}},
    {kComSetupDlg, 1012, {kComSetup, "find-my-cable"}},
    {kPortChooserDlg, 1013, {kComSetup, "change"}},
    {kPortChooserDlg, 1014, {kComSetup, "change"}},
    {kFindCableDlg, 1012, {kComSetup, "find-my-cable"}},

    {kOptionalFeaturesDlg, 1118, {kOptionalFeatures, "time-out-timer"}},
    {kOptionalFeaturesDlg, 1130, {kOptionalFeatures, "tot-pre-alert"}},
    {kOptionalFeaturesDlg, 1116, {kOptionalFeatures, "squelch-level"}},
    {kOptionalFeaturesDlg, 1117, {kOptionalFeatures, "voice-annunciation"}},
    {kOptionalFeaturesDlg, 1017, {kOptionalFeatures, "id-code"}},
    {kOptionalFeaturesDlg, 1122, {kOptionalFeatures, "vox"}},
    {kOptionalFeaturesDlg, 1121, {kOptionalFeatures, "vox-gain-level"}},
    {kOptionalFeaturesDlg, 1123, {kOptionalFeatures, "vox-delay-time"}},
    {kOptionalFeaturesDlg, 1018, {kOptionalFeatures, "ptt-id"}},
    {kOptionalFeaturesDlg, 1019, {kOptionalFeatures, "stun-code"}},
    {kOptionalFeaturesDlg, 1016, {kOptionalFeatures, "beep"}},
    {kOptionalFeaturesDlg, 1005, {kOptionalFeatures, "battery-saver"}},
    {kOptionalFeaturesDlg, 1020, {kOptionalFeatures, "remove-stun-code"}},

    // An edit and the spin beside it share a topic.
    {kScanInfoDlg, 1001, {kScanInformation, "priority"}},
    {kScanInfoDlg, 1002, {kScanInformation, "revert-channel"}},
    {kScanInfoDlg, 1003, {kScanInformation, "priority-channel"}},
    {kScanInfoDlg, 1004, {kScanInformation, "look-back-time-a"}},
    {kScanInfoDlg, 1008, {kScanInformation, "look-back-time-a"}},
    {kScanInfoDlg, 1005, {kScanInformation, "look-back-time-b"}},
    {kScanInfoDlg, 1009, {kScanInformation, "look-back-time-b"}},
    {kScanInfoDlg, 1006, {kScanInformation, "dropout-delay-time"}},
    {kScanInfoDlg, 1010, {kScanInformation, "dropout-delay-time"}},
    {kScanInfoDlg, 1007, {kScanInformation, "tx-dwell-time"}},
    {kScanInfoDlg, 1011, {kScanInformation, "tx-dwell-time"}},

    {kLanguageDlg, 1006, {kLanguage, "english"}},
    {kLanguageDlg, 1007, {kLanguage, "chinese"}},

    {kPasswordDlg, 1010, {kPassword, "user-password"}},
    {kPasswordDlg, 1013, {kPassword, "query"}},
    {kPasswordDlg, 1014, {kPassword, "change"}},
    {kPasswordDlg, 1015, {kPassword, "save"}},

    {kCsvImportDlg, 1001, {kCsv, "preview"}},
    {kCsvImportDlg, 1002, {kCsv, "replace"}},

    {kTransferOptionsDlg, 1001, {kSafety, "back-up-before-writing"}},
    {kTransferOptionsDlg, 1002, {kSafety, "verify-after-writing"}},
    {kTransferOptionsDlg, 1003, {kSafety, "show-changes-before-writing"}},
    {kBackupsDlg, 1001, {kSafety, "backup-list"}},
    {kBackupsDlg, 1002, {kSafety, "open"}},
    {kBackupsDlg, 1003, {kSafety, "open-folder"}},
    {kCompareDlg, 1001, {kSafety, "compare"}},
    {kFleetWriteDlg, 32821, {kFleet, "ports"}},
    {kFleetWriteDlg, 32822, {kFleet, "ports"}},
    {kFleetWriteDlg, 32823, {kFleet, "count"}},
    {kFleetWriteDlg, 32824, {kFleet, "backup"}},
    {kFleetWriteDlg, 32825, {kFleet, "table"}},
    {kFleetWriteDlg, 32826, {kFleet, "log"}},
    {kFleetWriteDlg, 32827, {kFleet, "start"}},
    {kFleetWriteDlg, 32828, {kFleet, "start"}},
    {kSetForSelectedDlg, 1001, {kChannels, "set-for-selected"}},
    {kSetForSelectedDlg, 1002, {kChannels, "set-for-selected"}},
};

constexpr HelpDialog kDialogs[] = {
    {kProductInfoDlg, kProductInformation},
    {kComSetupDlg, kComSetup},
    {kOptionalFeaturesDlg, kOptionalFeatures},
    {kScanInfoDlg, kScanInformation},
    {kLanguageDlg, kLanguage},
    {kPasswordDlg, kPassword},
    {kPortChooserDlg, kComSetup},
    {kFindCableDlg, kComSetup},
    {kCsvImportDlg, kCsv},
    {kTransferOptionsDlg, kSafety},
    {kBackupsDlg, kSafety},
    {kCompareDlg, kSafety},
    {kFleetWriteDlg, kFleet},
    {kSetForSelectedDlg, kChannels},
    {"CLoginDlg", kLogin},
    {"CProcessDlg", kReadWrite},
    {"CAboutDlg", kMainWindow},
};

const HelpEntry* FindEntry(std::string_view dialog, int contextNumber) {
    const auto* entry = std::find_if(std::begin(kEntries), std::end(kEntries), [&](const auto& e) {
        return e.dialog == dialog && e.contextNumber == contextNumber;
    });
    return entry == std::end(kEntries) ? nullptr : entry;
}

std::string MissingPageMessage(const std::filesystem::path& file, Language language) {
    const std::string path = file.string();
    return std::string(BilingualText{"The help page ", "缺少帮助页面 "}.In(language)) + path +
           std::string(BilingualText{" is missing. The help pages belong in the folders help/en "
                                     "and help/zh next to the program.",
                                     "。帮助页面应位于程序所在文件夹的 help/en 和 help/zh 中。"}
                           .In(language));
}

}  // namespace

std::span<const HelpEntry> HelpEntries() {
    return kEntries;
}

std::span<const HelpDialog> HelpDialogs() {
    return kDialogs;
}

HelpTopic FindHelpTopic(std::string_view dialog, int contextNumber) {
    if (const HelpEntry* own = FindEntry(dialog, contextNumber)) {
        return own->topic;
    }
    if (const HelpEntry* shared = FindEntry("", contextNumber)) {
        return shared->topic;
    }
    const auto* owner = std::find_if(std::begin(kDialogs), std::end(kDialogs),
                                     [&](const HelpDialog& d) { return d.dialog == dialog; });
    if (owner != std::end(kDialogs)) {
        return {owner->page, ""};
    }
    return {kHelpIndexPage, ""};
}

std::filesystem::path HelpFolder(const std::filesystem::path& appDirectory, Language language) {
    return appDirectory / "help" / (language == Language::Chinese ? "zh" : "en");
}

HelpLocation LocateHelp(const std::filesystem::path& appDirectory, Language language,
                        std::string_view dialog, int contextNumber) {
    const HelpTopic topic = FindHelpTopic(dialog, contextNumber);
    HelpLocation location;
    location.file = HelpFolder(appDirectory, language) / topic.page;
    location.anchor = topic.anchor;
    std::error_code error;
    if (!std::filesystem::is_regular_file(location.file, error)) {
        location.error = MissingPageMessage(location.file, language);
    }
    return location;
}

std::string BrowserFailureMessage(std::string_view target, Language language) {
    return std::string(BilingualText{"No program could be started to show the help page ",
                                     "无法启动程序来显示帮助页面 "}
                           .In(language)) +
           std::string(target) +
           std::string(
               BilingualText{". Open it in a web browser yourself.", "。请自行用网页浏览器打开它。"}
                   .In(language));
}

}  // namespace radioprog
