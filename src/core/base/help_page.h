#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "core/base/language.h"

namespace radioprog {

/// A place in the help pages: a file of `help/en/` (or `help/zh/`) and the id of an element in
/// it, empty for the top of the page.
struct HelpTopic {
    std::string_view page;
    std::string_view anchor;

    bool operator==(const HelpTopic&) const = default;
};

/// The contents page, the answer to a number no topic covers.
inline constexpr std::string_view kHelpIndexPage = "index.html";

/// One row of the help table. Control ids are only unique within one dialog (1009 is the
/// Field list of Product Information and a spin of Scan Information), so a row names the dialog
/// it belongs to by its class name; commands and the channel view's controls have no dialog.
struct HelpEntry {
    std::string_view dialog;
    int contextNumber;
    HelpTopic topic;
};

/// A dialog with a page of its own: what F1 on a control without a topic (OK 1, Cancel 2)
/// opens.
struct HelpDialog {
    std::string_view dialog;
    std::string_view page;
};

/// Every row of the help table.
std::span<const HelpEntry> HelpEntries();
/// Every dialog with a page of its own.
std::span<const HelpDialog> HelpDialogs();

/// The topic of @p contextNumber asked for in @p dialog (a dialog's class name such as
/// "CProductInfoDlg"; empty for the main window and the channel view). In this order: the
/// dialog's own row for the number; a command or a channel view control; the dialog's page;
/// the contents page. So help is always shown: a number nobody wrote a topic for still leads
/// to the page the user is most likely to want, never to nothing.
HelpTopic FindHelpTopic(std::string_view dialog, int contextNumber);

/// The folder of the pages in @p language: `help/en` or `help/zh` under @p appDirectory.
std::filesystem::path HelpFolder(const std::filesystem::path& appDirectory, Language language);

/// The file and anchor a help request opens, or why it cannot.
struct HelpLocation {
    std::filesystem::path file;
    std::string anchor;
    /// Empty when the page is there; otherwise a message for the user naming the missing file.
    std::string error;

    bool ok() const { return error.empty(); }
};

/// The page of FindHelpTopic in the folder of @p language. When that page is not installed
/// the result carries a message in @p language that says so and where the pages belong.
HelpLocation LocateHelp(const std::filesystem::path& appDirectory, Language language,
                        std::string_view dialog, int contextNumber);

/// What the user is told when the desktop has no program to show @p target (a page's URL).
std::string BrowserFailureMessage(std::string_view target, Language language);

}  // namespace radioprog
