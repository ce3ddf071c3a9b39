#include "gui/app/frame_actions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "gui/app/built_in_pictures.h"
#include "gui/app/context_help.h"
#include "gui/app/main_frame.h"

namespace radioprog::gui {
namespace {

// The texts keep the main window's translation context.
QAction* MakeAction(QObject* parent, const char* name, const QString& text, const QString& tip = {},
                    const QKeySequence& keys = {}) {
    auto* action = new QAction(text, parent);
    action->setObjectName(name);
    action->setShortcut(keys);
    action->setStatusTip(tip);
    return action;
}

QMenu* AddMenu(QMainWindow& window, const char* name, const QString& title) {
    QMenu* menu = window.menuBar()->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

}  // namespace

CFrameActions::CFrameActions(QMainWindow& window) : QObject(&window) {
    setObjectName("frameActions");
    CreateActions(window);
    CreateMenus(window);
    NumberCommands();
}

void CFrameActions::CreateActions(QMainWindow& window) {
    const auto icon = [&window](QStyle::StandardPixmap pixmap) {
        return window.style()->standardIcon(pixmap);
    };
    newDocument = MakeAction(&window, "new", CMainFrame::tr("&New"),
                             CMainFrame::tr("Create a new document"), QKeySequence::New);
    newDocument->setIcon(icon(QStyle::SP_FileIcon));
    open = MakeAction(&window, "open", CMainFrame::tr("&Open..."),
                      CMainFrame::tr("Open an existing document"), QKeySequence::Open);
    open->setIcon(icon(QStyle::SP_DialogOpenButton));
    close = MakeAction(&window, "close", CMainFrame::tr("&Close"),
                       CMainFrame::tr("Close the channel window"));
    save = MakeAction(&window, "save", CMainFrame::tr("&Save"),
                      CMainFrame::tr("Save the active document"), QKeySequence::Save);
    save->setIcon(icon(QStyle::SP_DialogSaveButton));
    saveAs = MakeAction(&window, "saveAs", CMainFrame::tr("Save &As..."),
                        CMainFrame::tr("Save the active document with a new name"));
    importCsv = MakeAction(&window, "importCsv", CMainFrame::tr("&Import CSV..."),
                           CMainFrame::tr("Take channels from a CSV channel file"));
    exportCsv = MakeAction(&window, "exportCsv", CMainFrame::tr("Expor&t CSV..."),
                           CMainFrame::tr("Write the channels to a CSV channel file"));
    backups = MakeAction(&window, "backups", CMainFrame::tr("&Backups..."),
                         CMainFrame::tr("Open a memory kept after a read or before a write"));
    compareWithFile =
        MakeAction(&window, "compareWithFile", CMainFrame::tr("Co&mpare with File..."),
                   CMainFrame::tr("Show how a .dat file differs from the document"));
    print =
        MakeAction(&window, "print", CMainFrame::tr("&Print..."),
                   CMainFrame::tr("Print the active document"), QKeySequence(Qt::CTRL | Qt::Key_P));
    print->setToolTip(CMainFrame::tr("Print"));
    print->setIcon(QIcon::fromTheme("document-print", BuiltInPrintIcon()));
    printPreview = MakeAction(&window, "printPreview", CMainFrame::tr("Print Pre&view"),
                              CMainFrame::tr("Display full pages"));
    exportPdf = MakeAction(&window, "exportPdf", CMainFrame::tr("&Export PDF..."),
                           CMainFrame::tr("Write the printed report to a PDF file"));
    printSetup = MakeAction(&window, "printSetup", CMainFrame::tr("P&rint Setup..."),
                            CMainFrame::tr("Change the printer and printing options"));
    exit = MakeAction(&window, "exit", CMainFrame::tr("E&xit"),
                      CMainFrame::tr("Quit the application"));

    CreateEditActions(window);
    productInformation =
        MakeAction(&window, "productInformation", CMainFrame::tr("&Product Information"),
                   CMainFrame::tr("Choose the product type and the band"));
    channelInformation =
        MakeAction(&window, "channelInformation", CMainFrame::tr("&Channel Information"),
                   CMainFrame::tr("Show the channel window"));
    optionalFeatures = MakeAction(&window, "optionalFeatures", CMainFrame::tr("&Optional Features"),
                                  CMainFrame::tr("Set the radio's general options"));
    scanInfo = MakeAction(&window, "scanInfo", CMainFrame::tr("Scan Info"),
                          CMainFrame::tr("Set the radio's scan settings"));

    read = MakeAction(&window, "read", CMainFrame::tr("&Read"),
                      CMainFrame::tr("Read Data From Radio"), QKeySequence("Ctrl+R"));
    read->setIcon(icon(QStyle::SP_ArrowDown));
    write = MakeAction(&window, "write", CMainFrame::tr("&Write"),
                       CMainFrame::tr("Write Data To Radio"), QKeySequence("Ctrl+W"));
    write->setIcon(icon(QStyle::SP_ArrowUp));
    fleetWrite =
        MakeAction(&window, "fleetWrite", CMainFrame::tr("&Fleet Write..."),
                   CMainFrame::tr("Write this memory to many radios, several ports at once"));
    password = MakeAction(&window, "password", CMainFrame::tr("Password"),
                          CMainFrame::tr("Query or change the radio's User password"));
    compareWithRadio =
        MakeAction(&window, "compareWithRadio", CMainFrame::tr("&Compare with Radio..."),
                   CMainFrame::tr("Read the radio and show what a write of the document would "
                                  "change"));

    statusBarToggle = MakeAction(&window, "statusBarToggle", CMainFrame::tr("&Status Bar"));
    statusBarToggle->setCheckable(true);
    statusBarToggle->setChecked(true);
    controlBar = MakeAction(&window, "controlBar", CMainFrame::tr("&Control Bar"));
    controlBar->setCheckable(true);
    controlBar->setChecked(true);

    comSetup = MakeAction(&window, "comSetup", CMainFrame::tr("&Com Setup"),
                          CMainFrame::tr("Choose the serial port the radio is connected to"));
    language = MakeAction(&window, "language", CMainFrame::tr("&Language"),
                          CMainFrame::tr("Choose the language of the program"));
    transferOptions =
        MakeAction(&window, "transferOptions", CMainFrame::tr("&Transfer Options..."),
                   CMainFrame::tr("Choose whether a write backs up, verifies and shows the "
                                  "changes"));

    // Start-up gives the menu item the settings file's title; the toolbar keeps its own tip.
    about = MakeAction(&window, "about", CMainFrame::tr("&About Program..."),
                       CMainFrame::tr("Display program information, version number and copyright"));
    about->setToolTip(CMainFrame::tr("About"));
    about->setIcon(icon(QStyle::SP_MessageBoxQuestion));
    saveSerialTrace =
        MakeAction(&window, "saveSerialTrace", CMainFrame::tr("Save Serial &Trace..."),
                   CMainFrame::tr("Save every byte of the last exchange with the radio to a file"));

    contextHelp = MakeAction(&window, "contextHelp", QString(), QString(), Qt::Key_F1);
    nextPane = MakeAction(&window, "nextPane", QString(), QString(), Qt::Key_F6);
    previousPane = MakeAction(&window, "previousPane", QString(), QString(),
                              QKeySequence(Qt::SHIFT | Qt::Key_F6));
    window.addActions({contextHelp, nextPane, previousPane});
}

// The texts of Undo and Redo follow the step they take back or do again.
void CFrameActions::CreateEditActions(QMainWindow& window) {
    const auto icon = [&window](const char* theme, QStyle::StandardPixmap pixmap) {
        return QIcon::fromTheme(theme, window.style()->standardIcon(pixmap));
    };
    undo = MakeAction(&window, "undo", CMainFrame::tr("&Undo"),
                      CMainFrame::tr("Take back the last change"), QKeySequence::Undo);
    undo->setIcon(icon("edit-undo", QStyle::SP_ArrowBack));
    redo = MakeAction(&window, "redo", CMainFrame::tr("&Redo"),
                      CMainFrame::tr("Do the change taken back again"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setIcon(icon("edit-redo", QStyle::SP_ArrowForward));
    cut = MakeAction(&window, "cut", CMainFrame::tr("Cu&t"),
                     CMainFrame::tr("Move the selected channels to the clipboard"),
                     QKeySequence::Cut);
    copy = MakeAction(&window, "copy", CMainFrame::tr("&Copy"),
                      CMainFrame::tr("Copy the selected channels to the clipboard"),
                      QKeySequence::Copy);
    paste = MakeAction(&window, "paste", CMainFrame::tr("&Paste"),
                       CMainFrame::tr("Put the channels on the clipboard at the selected channel"),
                       QKeySequence::Paste);
    selectAll = MakeAction(&window, "selectAll", CMainFrame::tr("Select &All Channels"),
                           CMainFrame::tr("Select every channel"), QKeySequence::SelectAll);
    deleteChannel = MakeAction(&window, "deleteChannel", CMainFrame::tr("&Delete Channel"),
                               CMainFrame::tr("Delete the selected channels; the channels below "
                                              "move up"),
                               QKeySequence(Qt::Key_Delete));
    insertChannel =
        MakeAction(&window, "insertChannel", CMainFrame::tr("&Insert Empty Channel"),
                   CMainFrame::tr("Insert an empty channel; the channels below move down"));
    moveUp = MakeAction(&window, "moveUp", CMainFrame::tr("Move &Up"),
                        CMainFrame::tr("Move the selected channels up by one"),
                        QKeySequence(Qt::ALT | Qt::Key_Up));
    moveDown = MakeAction(&window, "moveDown", CMainFrame::tr("Move Do&wn"),
                          CMainFrame::tr("Move the selected channels down by one"),
                          QKeySequence(Qt::ALT | Qt::Key_Down));
    setForSelected =
        MakeAction(&window, "setForSelected", CMainFrame::tr("&Set for Selected..."),
                   CMainFrame::tr("Give one column of the selected channels one value"));
}

QList<QAction*> CFrameActions::ChannelCommands() const {
    return {undo,          redo,          nullptr, cut,      copy,    paste,     nullptr,
            deleteChannel, insertChannel, moveUp,  moveDown, nullptr, selectAll, setForSelected};
}

void CFrameActions::CreateMenus(QMainWindow& window) {
    fileMenu = AddMenu(window, "menuFile", CMainFrame::tr("&File"));
    fileMenu->addActions({newDocument, open, close, save, saveAs});
    fileMenu->addSeparator();
    fileMenu->addActions({importCsv, exportCsv});
    fileMenu->addSeparator();
    fileMenu->addActions({backups, compareWithFile});
    fileMenu->addSeparator();
    fileMenu->addActions({print, printPreview, exportPdf, printSetup});
    fileMenu->addSeparator();
    fileMenu->addAction(exit);

    editMenu = AddMenu(window, "menuEdit", CMainFrame::tr("&Edit"));
    // The radio's own four items keep their places; the editing commands follow them.
    editMenu->addActions({productInformation, channelInformation, optionalFeatures, scanInfo});
    editMenu->addSeparator();
    editMenu->addActions({undo, redo});
    editMenu->addSeparator();
    editMenu->addActions({cut, copy, paste});
    editMenu->addSeparator();
    editMenu->addActions(
        {selectAll, deleteChannel, insertChannel, moveUp, moveDown, setForSelected});

    programMenu = AddMenu(window, "menuProgram", CMainFrame::tr("&Program"));
    programMenu->addActions({read, write, password, fleetWrite, compareWithRadio});

    toolbar = window.addToolBar(CMainFrame::tr("Toolbar"));
    toolbar->setObjectName("toolbar");
    toolbar->addActions({newDocument, open, save});
    toolbar->addSeparator();
    toolbar->addActions({undo, redo});
    toolbar->addSeparator();
    toolbar->addActions({read, write});
    toolbar->addSeparator();
    toolbar->addAction(print);
    toolbar->addSeparator();
    toolbar->addAction(about);

    viewMenu = AddMenu(window, "menuView", CMainFrame::tr("&View"));
    toolbarToggle = toolbar->toggleViewAction();
    toolbarToggle->setText(CMainFrame::tr("&Toolbar"));
    toolbarToggle->setObjectName("toolbarToggle");
    viewMenu->addActions({toolbarToggle, statusBarToggle, controlBar});
    connect(statusBarToggle, &QAction::toggled, window.statusBar(), &QWidget::setVisible);

    setupMenu = AddMenu(window, "menuSetup", CMainFrame::tr("&Setup"));
    setupMenu->addActions({comSetup, transferOptions, language});

    helpMenu = AddMenu(window, "menuHelp", CMainFrame::tr("&Help"));
    helpMenu->addAction(about);
    helpMenu->addSeparator();
    helpMenu->addAction(saveSerialTrace);
}

// The command numbers that help asks for.
void CFrameActions::NumberCommands() {
    const std::pair<QAction*, int> numbers[] = {
        {read, 32773},
        {write, 32774},
        {fleetWrite, 32820},
        {comSetup, 32777},
        {controlBar, 32780},
        {scanInfo, 32782},
        {password, 32783},
        {productInformation, 32786},
        {channelInformation, 32787},
        {optionalFeatures, 32788},
        {language, 32799},
        {saveSerialTrace, 32800},
        {undo, 32810},
        {redo, 32811},
        {cut, 32812},
        {copy, 32813},
        {paste, 32814},
        {deleteChannel, 32815},
        {insertChannel, 32816},
        {moveUp, 32817},
        {moveDown, 32818},
        {setForSelected, 32819},
        {newDocument, 57600},
        {open, 57601},
        {close, 57602},
        {save, 57603},
        {saveAs, 57604},
        {importCsv, 32801},
        {exportCsv, 32802},
        {transferOptions, 32803},
        {backups, 32804},
        {compareWithFile, 32805},
        {compareWithRadio, 32806},
        {printSetup, 57606},
        {print, 57607},
        {printPreview, 57609},
        {about, 57664},
        {exit, 57665},
        {toolbarToggle, 59392},
        {statusBarToggle, 59393},
    };
    for (const auto& [action, id] : numbers) {
        SetCommandId(action, id);
    }
}

void CFrameActions::Apply(const CommandStates& states) {
    for (QMenu* documentMenu : {editMenu, programMenu, setupMenu}) {
        documentMenu->menuAction()->setVisible(states.documentMenusVisible &&
                                               !documentMenu->actions().isEmpty());
    }
    // Save and Print stay, disabled, because their toolbar buttons share the action.
    for (QAction* documentAction : {close, saveAs, importCsv, exportCsv, compareWithFile,
                                    controlBar, printPreview, exportPdf}) {
        documentAction->setVisible(states.documentMenusVisible);
    }
    const std::pair<QAction*, bool> enabled[] = {
        {newDocument, states.newDocument},
        {open, states.open},
        {close, states.close},
        {save, states.save},
        {saveAs, states.saveAs},
        {importCsv, states.importCsv},
        {exportCsv, states.exportCsv},
        {compareWithFile, states.exportCsv},
        {backups, states.open},
        {compareWithRadio, states.read},
        {transferOptions, states.comSetup},
        {print, states.print},
        {printPreview, states.print},
        {exportPdf, states.print},
        {printSetup, states.printSetup},
        {productInformation, states.productInformation},
        {channelInformation, states.channelInformation},
        {optionalFeatures, states.optionalFeatures},
        {scanInfo, states.scanInfo},
        {read, states.read},
        {write, states.write},
        {fleetWrite, states.write},
        {password, states.password},
        {comSetup, states.comSetup},
        {language, states.language},
        {undo, states.undo},
        {redo, states.redo},
    };
    for (const auto& [action, on] : enabled) {
        action->setEnabled(on);
    }
    for (QAction* channelAction : {cut, copy, paste, selectAll, deleteChannel, insertChannel,
                                   moveUp, moveDown, setForSelected}) {
        channelAction->setEnabled(states.channelEdits);
    }
}

void CFrameActions::Adapt(const CommandStates& states) {
    if (!states.passwordOffered) {
        programMenu->removeAction(password);
    }
    language->setVisible(states.languageOffered);
}

}  // namespace radioprog::gui
