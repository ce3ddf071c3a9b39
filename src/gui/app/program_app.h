#pragma once

#include <QString>
#include <QTranslator>
#include <memory>
#include <optional>

#include "core/doc/app_context.h"
#include "core/doc/settings_layout.h"
#include "core/link/port_opener.h"
#include "core/link/serial_trace.h"
#include "core/ports/diagnosing_opener.h"
#include "core/sim/pty_radio.h"

namespace radioprog::gui {

class CMainFrame;

/// What the command line asks of a run.
struct StartOptions {
    std::optional<std::string> appDir;  ///< --appdir DIR
    bool demo = false;                  ///< --demo: COM1 is a simulated radio for this run
    QString file;                       ///< a .dat file to open instead of a new document
};

/// The application: settings, language, login, the main window, and the access role kept at
/// exit. Start() runs start-up in its fixed order; any step that fails ends it.
class CProgramApp {
public:
    explicit CProgramApp(StartOptions options);
    virtual ~CProgramApp();

    /// False when the program must end (missing catalogue, login cancelled).
    bool Start();
    /// Stores the access role; called when the program ends.
    void Exit();

    AppContext& context() { return *m_context; }
    CMainFrame* mainFrame() const { return m_frame.get(); }

protected:
    /// The radio COM1 stands for in a demo run.
    virtual PtyRadio::Started StartDemoRadio();
    /// Where this run looks for its settings and files: the running program's place.
    virtual SettingsPlaces Places() const;

private:
    bool LoadCatalogue();
    bool Login();
    void BindPorts();
    /// A problem that does not end the run, in a message box.
    void Warn(const Status& problem);

    StartOptions m_options;
    std::unique_ptr<AppContext> m_context;
    QTranslator m_catalogue;
    QTranslator m_qtCatalogue;
    std::unique_ptr<PtyRadio> m_demoRadio;
    std::unique_ptr<PortOpener> m_opener;
    SerialTrace m_trace{SerialTrace::Keep::LastExchange};  ///< for Help > Save Serial Trace
    std::unique_ptr<ExplainedOpener> m_explained;          ///< every exchange's way to the radio
    std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace radioprog::gui
