#include "core/doc/document_commands.h"

namespace radioprog {

CommandStates DecideCommands(const CommandSituation& situation) {
    const bool document = situation.documentShown;
    const bool idle = !situation.transferRunning;
    const bool admin = situation.role == AccessRole::Admin;
    CommandStates states;
    states.documentMenusVisible = situation.documentExists;
    states.passwordOffered = admin;
    states.languageOffered = situation.showLanguage;

    states.newDocument = idle;
    states.open = idle;
    states.close = document;
    states.save = document;
    states.saveAs = document;
    states.importCsv = document && idle;
    states.exportCsv = document && idle;
    states.read = document;
    states.write = document;
    states.comSetup = document;
    states.channelInformation = situation.documentExists;
    states.language = document && idle;
    states.optionalFeatures = document && idle;
    states.scanInfo = document && idle;
    states.password = document && idle && admin;
    states.print = document && idle;
    states.undo = document && idle && situation.canUndo;
    states.redo = document && idle && situation.canRedo;
    states.channelEdits = document && idle;
    return states;
}

}  // namespace radioprog
