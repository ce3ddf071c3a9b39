// The channel view's printed report.
#include <QPageLayout>
#include <QPagedPaintDevice>

#include "core/doc/about_texts.h"
#include "core/report/report_layout.h"
#include "gui/view/program_view.h"
#include "gui/view/report_renderer.h"

namespace radioprog::gui {

int CProgramView::PreparePrinting() {
    m_printTable.Count(m_doc->texts());
    return m_printTable.MaxPage();
}

bool CProgramView::PrintReport(QPagedPaintDevice& device, int maxPage, int fromPage, int toPage) {
    const ReportSource source{m_doc->image(), m_doc->texts(), m_context.language,
                              ReportOwner(m_context)};
    return gui::PrintReport(device, m_printTable, source, {maxPage, fromPage, toPage});
}

bool CProgramView::ReportPdf(const QPageLayout& layout, QByteArray& pdf) {
    const ReportSource source{m_doc->image(), m_doc->texts(), m_context.language,
                              ReportOwner(m_context)};
    return gui::ReportPdf(layout, m_printTable, source, pdf);
}

}  // namespace radioprog::gui
