#include "gui/app/program_app.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>

#include "core/doc/port_map.h"
#include "core/link/port_names.h"
#include "core/link/serial_port_opener.h"
#include "core/sim/demo_faults.h"
#include "core/sim/demo_memory.h"
#include "core/sim/pty_radio.h"
#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/link/login_dlg.h"

namespace radioprog::gui {
namespace {

// COM1 leads to the demo radio for this run; everything else opens as usual.
class DemoOpener : public PortOpener {
public:
    DemoOpener(const UserStore& store, std::string demoDevice)
        : m_serial(StoredPortBinding(store)), m_demoDevice(std::move(demoDevice)) {}
    Opened Open(const std::string& portName, const TimeoutProfile& profile) override {
        return m_serial.Open(Route(portName), profile);
    }
    bool CanOpen(const std::string& portName) override { return m_serial.CanOpen(Route(portName)); }
    std::string DeviceFor(const std::string& portName) const override {
        return m_serial.DeviceFor(Route(portName));
    }

private:
    std::string Route(const std::string& portName) const {
        return ComSlot(portName) == 1 ? m_demoDevice : portName;
    }

    SerialPortOpener m_serial;
    std::string m_demoDevice;
};

}  // namespace

CProgramApp::CProgramApp(StartOptions options)
    : m_options(std::move(options)), m_context(std::make_unique<AppContext>()) {}

CProgramApp::~CProgramApp() {
    m_frame.reset();
    // The demo radio keeps no memory file, so its stop has nothing to save.
    if (m_demoRadio) {
        static_cast<void>(m_demoRadio->Stop());
    }
}

bool CProgramApp::LoadCatalogue() {
    const QString path = QString::fromStdString(
        (m_context->appDirectory / (m_context->languageName + ".qm")).string());
    if (m_context->languageName.empty() || !m_catalogue.load(path)) {
        const BilingualText failure{"Load language DLL fail", "加载语言链接库失败"};
        Messages().Show(nullptr, QMessageBox::Critical, QString::fromStdString(m_context->appName),
                        Q(failure.In(m_context->language)), QMessageBox::Ok);
        return false;
    }
    QApplication::installTranslator(&m_catalogue);
    if (m_context->language == Language::Chinese &&
        m_qtCatalogue.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&m_qtCatalogue);
    }
    return true;
}

bool CProgramApp::Login() {
    const std::optional<AccessRole> stored = LoadAccessRole(*m_context);
    m_context->link.role = stored.value_or(AccessRole::Admin);
    CLoginDlg login(*m_context);
    if (!stored) {
        login.SelectNoRole();
    }
    return login.exec() == QDialog::Accepted;
}

bool CProgramApp::Start() {
    if (Status loaded = LoadSettings(*m_context, ResolveSettingsLayout(Places())); !loaded) {
        Warn(loaded);
    }
    if (Status store = m_context->userStore.Check(m_context->language); !store) {
        Warn(store);
    }
    if (!LoadCatalogue() || !Login()) {
        return false;
    }
    BindPorts();
    m_explained = std::make_unique<ExplainedOpener>(*m_opener, &m_trace, m_context->system,
                                                    m_context->language);
    m_frame = std::make_unique<CMainFrame>(*m_context, m_explained->opener());
    m_frame->SetSerialTrace(&m_trace);
    // A demo run stays a demo run after a change of language.
    m_frame->SetRestart(BuildRestartCommand(QCoreApplication::applicationFilePath(),
                                            m_context->layout, m_options.demo));
    if (m_options.file.isEmpty() || !m_frame->OpenDocument(m_options.file)) {
        m_frame->NewDocument();
    }
    m_frame->ShowWithStoredGeometry();
    const QString icon = QString::fromStdString((m_context->appDirectory / "title.ico").string());
    if (QFileInfo::exists(icon)) {
        m_frame->setWindowIcon(QIcon(icon));
    }
    m_context->appName = m_context->profile.GetValue(m_context->languageName, "Company", "");
    m_frame->AdaptMenus();
    return true;
}

SettingsPlaces CProgramApp::Places() const {
    return RunPlaces(m_options.appDir);
}

PtyRadio::Started CProgramApp::StartDemoRadio() {
    std::string faultError;
    const std::optional<SimFaults> faults = DemoFaultsFromEnvironment(faultError);
    if (!faults) {
        return {nullptr, faultError};
    }
    return PtyRadio::Start(RadioSimulator(DemoMemory(), *faults), {});
}

// A demo run whose radio cannot start goes on with the serial ports, and says so.
void CProgramApp::BindPorts() {
    if (m_options.demo) {
        PtyRadio::Started started = StartDemoRadio();
        if (started.radio) {
            m_opener =
                std::make_unique<DemoOpener>(m_context->userStore, started.radio->devicePath());
            m_demoRadio = std::move(started.radio);
            return;
        }
        const BilingualText failed{"The demo radio could not be started; COM1 is a serial port.",
                                   "无法启动演示对讲机；COM1 为普通串口。"};
        Messages().Show(nullptr, QMessageBox::Warning, QString::fromStdString(m_context->appName),
                        Q(failed.In(m_context->language)) + "\n" + Q(started.error),
                        QMessageBox::Ok);
    }
    m_opener = std::make_unique<SerialPortOpener>(StoredPortBinding(m_context->userStore));
}

void CProgramApp::Exit() {
    if (const Status stored = StoreAccessRole(*m_context); !stored) {
        Warn(stored);
    }
}

void CProgramApp::Warn(const Status& problem) {
    Messages().Show(nullptr, QMessageBox::Warning, QString::fromStdString(m_context->appName),
                    Q(problem.message()), QMessageBox::Ok);
}

}  // namespace radioprog::gui
