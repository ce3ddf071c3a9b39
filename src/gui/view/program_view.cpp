#include "gui/view/program_view.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "core/base/string_table.h"
#include "core/doc/com_setup.h"
#include "core/doc/grid_refresh.h"
#include "core/doc/radio_transfer.h"
#include "core/radio/cell_editing.h"
#include "core/radio/channel_codec.h"
#include "core/radio/grid_columns.h"
#include "core/radio/image_doubts.h"
#include "core/radio/tones.h"
#include "gui/app/context_help.h"
#include "gui/app/language_dlg.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/scan_info_dlg.h"
#include "gui/link/com_setup_dlg.h"
#include "gui/link/gui_link_observer.h"
#include "gui/link/process_dlg.h"

namespace radioprog::gui {
namespace {

constexpr double kWidthFractions[] = {0.5, 1.3, 1.3, 1.1, 1.1, 0.9, 0.9, 0.9, 0.9};
const QColor kFixedTextColour(0x00, 0x32, 0xF0);
constexpr int kGridId = 1000;

}  // namespace

CProgramView::CProgramView(AppContext& context, std::unique_ptr<CProgramDoc> doc,
                           PortOpener& opener, QWidget* parent)
    : QWidget(parent),
      m_context(context),
      m_doc(std::move(doc)),
      m_opener(opener),
      m_grid(new CMSFlexGrid(kGridRows, column::kCount, this)),
      m_comSetup(new CComSetupDlg(context, opener, this)),
      m_scanInfo(new CScanInfoDlg(context, this)),
      m_language(new CLanguageDlg(context, this)),
      m_contextMenu(new QMenu(this)) {
    m_doc->SetObserver(this);
    LoadSavedPort(m_context);
    m_comSetup->setObjectName("comSetupDialog");
    m_scanInfo->setObjectName("scanInfoDialog");
    m_language->setObjectName("languageDialog");
    m_contextMenu->setObjectName("gridContextMenu");
    m_grid->setObjectName("grid");
    SetHelpContext(m_grid, kGridId);
    m_grid->setFont(QFont("Times New Roman", 9));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_grid);
    connect(m_grid, &CMSFlexGrid::EnterCell, this, &CProgramView::OpenEditor);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CProgramView::OpenEditor);
    connect(m_grid, &CMSFlexGrid::LeaveCell, this, [this] { CommitEdit(); });
    connect(m_grid, &CMSFlexGrid::Scroll, this, &CProgramView::HideAllEditors);
    connect(m_grid, &CMSFlexGrid::ContextMenuRequested, this, &CProgramView::ShowContextMenu);
    m_grid->installEventFilter(this);
}

CProgramView::~CProgramView() {
    m_doc->SetObserver(nullptr);
    // The grid raises its cell events while it is being destroyed; this view is gone by then.
    m_grid->disconnect(this);
    delete m_process.data();
}

void CProgramView::InitialUpdate() {
    if (m_firstInitialisation) {
        m_toneList = ToneList(m_context.language);
        m_grid->SetForeColorFixed(kFixedTextColour);
        CreateEditors();
        for (int col = 0; col < column::kCount; ++col) {
            m_grid->SetTextMatrix(0, col, Q(ColumnHeader(col, m_context.language)));
        }
        for (int row = 1; row < kGridRows; ++row) {
            m_grid->SetTextMatrix(row, 0, Q(RowLabel(row)));
        }
        FitDefaultSizes();
        const int base = m_grid->ColWidth(0);
        for (int col = 0; col < column::kCount; ++col) {
            m_grid->SetColAlignment(col, Qt::AlignCenter);
            m_grid->SetColWidth(col, static_cast<int>(base * kWidthFractions[col]));
        }
        m_grid->updateGeometry();
        m_firstInitialisation = false;
        Refresh();
        // The first cell is current from the start: its editor opens as for any current cell.
        OpenEditor();
        return;
    }
    Refresh();
}

// The base column width is chosen so that every header fits its column at its fraction.
void CProgramView::FitDefaultSizes() {
    const QFontMetrics metrics(m_grid->font());
    constexpr int kPadding = 14;
    int base = 0;
    for (int col = 0; col < column::kCount; ++col) {
        const int needed =
            metrics.horizontalAdvance(Q(ColumnHeader(col, m_context.language))) + kPadding;
        base = std::max(base, static_cast<int>(needed / kWidthFractions[col]) + 1);
    }
    m_grid->SetDefaultColumnWidth(base);
    m_grid->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
    for (int row = 0; row < kGridRows; ++row) {
        m_grid->setRowHeight(row, metrics.height() + 8);
    }
}

void CProgramView::Refresh() {
    const GridRefresh refresh = RefreshGridFromImage(*m_doc, m_context);
    emit TitleChanged(Q(refresh.windowTitle));
    if (!refresh.mirror) {
        emit Problem(Q(refresh.mirror.message()));
    }
}

void CProgramView::CreateEditors() {
    for (int col = column::kRxFrequency; col < column::kCount; ++col) {
        QWidget* editor = nullptr;
        if (EditorIsList(col)) {
            auto* list = new QComboBox(m_grid);
            for (const std::string& item : ColumnItems(col, m_context.language)) {
                list->addItem(Q(item));
            }
            editor = list;
        } else {
            auto* edit = new QLineEdit(m_grid);
            edit->setFrame(false);
            editor = edit;
        }
        editor->setObjectName(QString("editor%1").arg(EditorIdForColumn(col)));
        SetHelpContext(editor, EditorIdForColumn(col));
        editor->setFont(font());
        editor->hide();
        editor->installEventFilter(this);
        m_editors[static_cast<std::size_t>(col)] = editor;
    }
}

QWidget* CProgramView::editor(int col) const {
    return col >= column::kRxFrequency && col < column::kCount
               ? m_editors[static_cast<std::size_t>(col)]
               : nullptr;
}

// The grid shows the channel rows of the document; its headers are the view's own.
void CProgramView::DocumentChanged() {
    const TextGrid& texts = m_doc->texts();
    for (int row = 1; row < kGridRows; ++row) {
        for (int col = 1; col < column::kCount; ++col) {
            const QString text = Q(texts.TextMatrix(row, col));
            if (m_grid->TextMatrix(row, col) != text) {
                m_grid->SetTextMatrix(row, col, text);
            }
        }
    }
    emit Edited();
}

void CProgramView::ModifiedFlagChanged(bool modified) {
    emit ModifiedChanged(modified);
}

bool CProgramView::EditorVisible() const {
    const QWidget* e = editor(m_grid->Col());
    return e && e->isVisible();
}

std::string CProgramView::EditorText() const {
    const QWidget* e = editor(m_grid->Col());
    if (const auto* list = qobject_cast<const QComboBox*>(e)) {
        return list->currentText().toStdString();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(e)) {
        return edit->text().toStdString();
    }
    return {};
}

std::optional<OpenCellEdit> CProgramView::TakeOpenEdit() {
    if (!EditorVisible()) {
        return std::nullopt;
    }
    OpenCellEdit open{m_grid->Row(), m_grid->Col(), EditorText()};
    HideEditor(editor(open.col));
    return open;
}

// Hiding the focused editor would pass the focus on along the grid's Tab walk, which moves the
// current cell on by one and opens that cell's editor too: the grid takes the focus first.
void CProgramView::HideEditor(QWidget* e) {
    if (e->hasFocus()) {
        m_grid->setFocus(Qt::OtherFocusReason);
    }
    e->hide();
}

void CProgramView::HideAllEditors() {
    for (QWidget* e : m_editors) {
        if (e) {
            HideEditor(e);
        }
    }
    m_grid->viewport()->update();
}

void CProgramView::OpenEditor() {
    // A press on a row label chooses rows: the edit ends there and no editor opens.
    if (m_grid->PressingRowLabel()) {
        CommitEdit();
        m_grid->setFocus(Qt::MouseFocusReason);
        return;
    }
    // Anything else that enters a cell goes back to editing cell by cell.
    m_grid->ClearRowSelection();
    QWidget* e = editor(m_grid->Col());
    if (!e) {
        return;
    }
    const QString text = m_grid->Text();
    if (auto* list = qobject_cast<QComboBox*>(e)) {
        std::vector<std::string> items;
        for (int i = 0; i < list->count(); ++i) {
            items.push_back(list->itemText(i).toStdString());
        }
        list->setCurrentIndex(SelectListItem(items, text.toStdString()));
    }
    const EditorRect rect =
        PlaceEditor(m_grid->CellLeft(), m_grid->CellTop(), m_grid->CellWidth(),
                    m_grid->CellHeight(), m_grid->logicalDpiX(), m_grid->logicalDpiY());
    e->setGeometry(rect.x, rect.y, rect.width, rect.height);
    if (auto* edit = qobject_cast<QLineEdit*>(e)) {
        edit->setText(text);
        edit->selectAll();
    }
    e->show();
    e->raise();
    e->setFocus();
}

bool CProgramView::CommitEdit() {
    const std::optional<OpenCellEdit> open = TakeOpenEdit();
    if (!open) {
        return true;
    }
    const auto refusal =
        m_doc->CommitCell(open->row, open->col, open->text, m_context.band, m_context.language);
    if (refusal) {
        ShowRefusal(*refusal);
        return false;
    }
    return true;
}

void CProgramView::ShowRefusal(StringId refusal) {
    Messages().Show(this, QMessageBox::Warning,
                    Q(StringText(StringId::Caution, m_context.language)),
                    Q(StringText(refusal, m_context.language)), QMessageBox::Ok);
}

bool CProgramView::EnterCommit() {
    if (EditorVisible() && !CommitEdit()) {
        return false;
    }
    for (const CellWrite& write :
         AdvanceAfterEnter(m_grid->Row(), m_grid->Col(), m_grid->Rows(), m_grid->Cols())) {
        if (write.which == CellWrite::Which::Row) {
            m_grid->SetRow(write.value);
        } else {
            m_grid->SetCol(write.value);
        }
    }
    return true;
}

std::vector<int> CProgramView::SelectedChannels() const {
    if (m_grid->HasRowSelection()) {
        return m_grid->SelectedRows();
    }
    return {m_grid->Row()};
}

void CProgramView::SelectAllChannels() {
    if (!CommitEdit()) {
        return;
    }
    std::vector<int> all;
    for (int row = 1; row < kGridRows; ++row) {
        all.push_back(row);
    }
    m_grid->SelectRows(all);
    m_grid->setFocus(Qt::ShortcutFocusReason);
}

void CProgramView::ShowChannels(const std::vector<int>& channels) {
    if (m_grid->HasRowSelection()) {
        m_grid->SelectRows(channels);
        m_grid->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (!channels.empty() && channels.front() != m_grid->Row()) {
        m_grid->SetRow(channels.front());  // the cell events open the editor there
    } else {
        OpenEditor();
    }
}

void CProgramView::ShowCell(int row, int col) {
    m_grid->ClearRowSelection();
    if (row == m_grid->Row() && col == m_grid->Col()) {
        OpenEditor();
        return;
    }
    // Each move raises the cell events, which open the editor where the move ends.
    m_grid->SetRow(row);
    m_grid->SetCol(col);
}

void CProgramView::SetContextMenuActions(const QList<QAction*>& actions) {
    m_contextMenu->clear();
    for (QAction* action : actions) {
        if (action) {
            m_contextMenu->addAction(action);
        } else {
            m_contextMenu->addSeparator();
        }
    }
}

void CProgramView::ShowContextMenu(const QPoint& globalPos) {
    if (!m_contextMenu->isEmpty()) {
        m_contextMenu->exec(globalPos);
    }
}

// Undo, Redo and Select All are the window's even inside a text editor, whose own undo would
// otherwise take them. Del is a text editor's own; elsewhere it deletes channels only when rows
// are chosen, so that a key meant for a cell never deletes its channel.
bool CProgramView::CommandKeyOverride(QObject* watched, QKeyEvent* key) const {
    const QKeyCombination combination = key->keyCombination();
    const bool windowKey = key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                           key->matches(QKeySequence::SelectAll) ||
                           combination == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
                           combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
    if (windowKey) {
        return true;
    }
    // Del deletes channels only when they are chosen by their labels.
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier &&
        (qobject_cast<QComboBox*>(watched) || !m_grid->HasRowSelection())) {
        if (!qobject_cast<QLineEdit*>(watched)) {
            key->accept();
            return true;
        }
    }
    return false;
}

// F1 is the view's own while the grid or an editor has the focus: claimed before the main
// window's shortcut can take it.
bool CProgramView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride &&
        CommandKeyOverride(watched, static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            EnterCommit();
            return true;
        }
        if (key->key() == Qt::Key_F1) {
            RequestContextHelp(m_context, FocusedControlId());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int CProgramView::FocusedControlId() const {
    for (const QWidget* widget = QApplication::focusWidget(); widget && widget != this;
         widget = widget->parentWidget()) {
        if (const int id = ControlId(widget)) {
            return id;
        }
    }
    return 0;
}

void CProgramView::TakeFocus() {
    for (QWidget* editor : m_editors) {
        if (editor && editor->isVisible()) {
            editor->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
    m_grid->setFocus(Qt::ShortcutFocusReason);
}

Status CProgramView::Save(const QString& path) {
    CommitEdit();
    return m_doc->OnSaveDocument(path.toStdString(), m_context);
}

void CProgramView::OpenProgressDialog(TransferDirection direction) {
    m_direction = direction;
    const BilingualText title = direction == TransferDirection::Read
                                    ? BilingualText{"Read Data", "读数据"}
                                    : BilingualText{"Write Data", "写数据"};
    // The caption always says what OK will do, also when the other command came while the
    // dialog waited.
    if (m_process) {
        m_process->SetTitle(Q(title.In(m_context.language)));
        return;
    }
    m_process = new CProcessDlg(window());
    m_process->setObjectName("processDialog");
    m_process->SetTitle(Q(title.In(m_context.language)));
    connect(m_process, &CProcessDlg::StartRequested, this, &CProgramView::OnRadioTransfer,
            Qt::QueuedConnection);
    m_process->show();
}

void CProgramView::OnRead() {
    m_compareWithRadio = false;
    m_restore.reset();
    OpenProgressDialog(TransferDirection::Read);
}

void CProgramView::OnWrite() {
    CommitEdit();
    m_compareWithRadio = false;
    m_restore.reset();
    OpenProgressDialog(TransferDirection::Write);
}

void CProgramView::OnComSetup() {
    if (m_comSetup->exec() == QDialog::Accepted && !m_comSetup->saved()) {
        emit Problem(Q(m_comSetup->saved().message()));
    }
}

// The priority channel must be programmed as the grid shows it, so the grid goes into the image
// first, an open edit included; that is no change of the user's, only OK is.
void CProgramView::OnScanInfo() {
    if (m_transferRunning) {
        return;
    }
    CommitEdit();
    m_doc->StoreTexts(m_context.band);
    const ScanInfo info = ScanInfo::Load(m_doc->image());
    m_doc->Edit(DocumentEdit::Of(DocumentEdit::Kind::ScanInformation),
                [this, &info](RadioImage& image, TextGrid&) { m_scanInfo->Run(info, image); });
}

void CProgramView::OnFleetWrite() {
    if (m_fleet) {
        m_fleet->raise();
        m_fleet->activateWindow();
        return;
    }
    CommitEdit();
    m_doc->StoreTexts(m_context.band);
    const RadioImage image = m_doc->image();
    if (const std::string doubt = WriteDoubtQuestion(image, m_context.language); !doubt.empty()) {
        if (Messages().Show(this, QMessageBox::Question, Q(m_context.appName), Q(doubt),
                            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
            return;
        }
    }
    QString title = Q(m_doc->pathName().string());
    if (title.isEmpty()) {
        title = Q(m_doc->title());
    }
    m_fleet = new CFleetWriteDlg(m_context, image, title, window());
    m_fleet->setAttribute(Qt::WA_DeleteOnClose);
    m_fleet->show();
}

void CProgramView::OnLanguage() {
    if (m_language->exec() == QDialog::Accepted && m_language->changed()) {
        emit RestartRequested();
    }
}

}  // namespace radioprog::gui
