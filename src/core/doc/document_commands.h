#pragma once

#include "core/link/link_session.h"

namespace radioprog {

/// What decides which of the main window's commands can be used.
struct CommandSituation {
    bool documentExists = false;   ///< a channel window exists, shown or hidden
    bool documentShown = false;    ///< the channel window is on screen
    bool transferRunning = false;  ///< a Read or Write is under way
    AccessRole role = AccessRole::User;
    bool showLanguage = false;  ///< `Setup` `ShowLang` offers Setup > Language
    bool canUndo = false;       ///< the shown document has a step to undo
    bool canRedo = false;
};

/// Which commands are offered (visible) and which can be used now (enabled).
struct CommandStates {
    // Without any document the window offers only what needs none: File's New, Open, Print
    // Setup and Exit, the toolbar and status bar switches, and Help. A hidden channel window is
    // still a document, so Edit > Channel Information stays to bring it back.
    bool documentMenusVisible = false;  ///< Edit, Program and Setup, and the document's items
    bool passwordOffered = false;       ///< a User has no Password command at all
    bool languageOffered = false;

    bool newDocument = false;
    bool open = false;
    bool close = false;
    bool save = false;
    bool saveAs = false;
    bool importCsv = false;  ///< File > Import CSV: the shown document's channels, no transfer
    bool exportCsv = false;
    bool read = false;
    bool write = false;
    bool comSetup = false;
    bool channelInformation = false;
    bool language = false;
    bool productInformation = true;
    bool optionalFeatures = false;
    bool scanInfo = false;
    bool password = false;
    bool print = false;  ///< Print, Print Preview and Export PDF
    bool printSetup = true;
    bool undo = false;
    bool redo = false;
    /// Cut, Copy, Paste, Select All, Delete Channel, Insert Empty Channel, Move Up and Down,
    /// Set for Selected: the shown document's channels, no transfer
    bool channelEdits = false;

    bool operator==(const CommandStates&) const = default;
};

/// The commands the main window offers in @p situation.
CommandStates DecideCommands(const CommandSituation& situation);

}  // namespace radioprog
