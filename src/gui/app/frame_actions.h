#pragma once

#include <QObject>

#include "core/doc/document_commands.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace radioprog::gui {

/// Every command of the main window, made once with its text, keys, tips, icon and help
/// number, and the menus and the toolbar that show them.
class CFrameActions : public QObject {
    Q_OBJECT
public:
    /// Makes the actions, the menu bar and the toolbar of @p window.
    explicit CFrameActions(QMainWindow& window);

    /// Shows and enables the commands as @p states say.
    void Apply(const CommandStates& states);
    /// The commands of the channel grid's context menu, a null pointer for a separator.
    QList<QAction*> ChannelCommands() const;
    /// The start-up's changes from the settings and the role: a User has no Password item, and
    /// Language is there only when the settings offer it.
    void Adapt(const CommandStates& states);

    // File
    QAction* newDocument;
    QAction* open;
    QAction* close;
    QAction* save;
    QAction* saveAs;
    QAction* importCsv;
    QAction* exportCsv;
    QAction* backups;
    QAction* compareWithFile;
    QAction* print;
    QAction* printPreview;
    QAction* exportPdf;
    QAction* printSetup;
    QAction* exit;
    // Edit
    QAction* undo;
    QAction* redo;
    QAction* cut;
    QAction* copy;
    QAction* paste;
    QAction* selectAll;
    QAction* deleteChannel;
    QAction* insertChannel;
    QAction* moveUp;
    QAction* moveDown;
    QAction* setForSelected;
    QAction* productInformation;
    QAction* channelInformation;
    QAction* optionalFeatures;
    QAction* scanInfo;
    // Program
    QAction* read;
    QAction* write;
    QAction* fleetWrite;
    QAction* password;
    QAction* compareWithRadio;
    // View
    QAction* toolbarToggle;
    QAction* statusBarToggle;
    QAction* controlBar;
    // Setup
    QAction* comSetup;
    QAction* language;
    QAction* transferOptions;
    // Help
    QAction* about;
    QAction* saveSerialTrace;
    // Keys without a menu item
    QAction* contextHelp;
    QAction* nextPane;
    QAction* previousPane;

    QMenu* fileMenu;
    QMenu* editMenu;
    QMenu* programMenu;
    QMenu* viewMenu;
    QMenu* setupMenu;
    QMenu* helpMenu;
    QToolBar* toolbar;

private:
    void CreateActions(QMainWindow& window);
    void CreateEditActions(QMainWindow& window);
    void CreateMenus(QMainWindow& window);
    void NumberCommands();
};

}  // namespace radioprog::gui
