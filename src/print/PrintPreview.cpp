#include "PrintPreview.h"

#include "CentralRoutines.h"
#include "HourglassCursor.h"
#include "PageToolbar.h"
#include "PdfFile.h"
#include "PrinterChoice.h"

#include <QFileDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {
const QString Location = QStringLiteral("frmPrintPreview");
}

PrintPreview::PrintPreview(PrintJob job, QWidget *parent)
    : QDialog(parent),
      m_job(std::move(job)),
      m_previewPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(Location);
    setWindowTitle(m_job.name.isEmpty() ? QStringLiteral("Print Preview")
                                        : m_job.name + QStringLiteral(" - Print Preview"));
    resize(1000, 760);
    m_previewPrinter->setPageSize(QPageSize(QPageSize::A4));
    m_previewPrinter->setPageOrientation(m_job.orientation);
    m_previewPrinter->setDocName(m_job.name);

    m_view = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    m_view->setObjectName(QStringLiteral("previewPages"));
    m_view->setZoomMode(QPrintPreviewWidget::FitInView);

    m_toolbar = new PageToolbar(this, m_view, PageToolbar::Pages::of(m_view),
                                {{{QStringLiteral("actPrint"), QStringLiteral("Print..."), QKeySequence::Print,
                                   [this] { print(); }},
                                  {QStringLiteral("actSavePdf"), QStringLiteral("Save PDF..."),
                                   QKeySequence(Qt::CTRL | Qt::Key_E), [this] { chooseAndSavePdf(); }}},
                                 {{QStringLiteral("cmdClose"), QStringLiteral("Close"), QKeySequence(),
                                   [this] { reject(); }}}});

    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        // The widget paints from its own event handlers: a failure is
        // reported, never thrown through them.
        if (m_job.paint)
            trapped(Location, QStringLiteral("Preview Routine"), [&] { m_job.paint(*printer); });
    });
    connect(m_view, &QPrintPreviewWidget::previewChanged, m_toolbar, &PageToolbar::showPageNumber);
    HourglassCursor hourglass;
    m_view->updatePreview();
    m_toolbar->showPageNumber();
}

PrintPreview::~PrintPreview() = default;

int PrintPreview::pageCount() const { return m_view->pageCount(); }
int PrintPreview::currentPage() const { return m_view->currentPage(); }

void PrintPreview::goToPage(int page)
{
    m_toolbar->goToPage(page);
}

QPageLayout PrintPreview::pageLayout() const
{
    return m_previewPrinter->pageLayout();
}

bool PrintPreview::print()
{
    if (!m_job.paint)
        return false;
    const bool done = trapped(Location, QStringLiteral("Print Routine"), [&] {
        std::unique_ptr<QPrinter> printer = PrinterChoice::choose(this, m_job.orientation, m_job.name);
        // The preview follows the chosen printer's paper, so the pages seen
        // are the pages printed.
        m_previewPrinter->setPageLayout(printer->pageLayout());
        m_view->updatePreview();
        m_toolbar->showPageNumber();
        HourglassCursor hourglass;
        m_job.paint(*printer);
    });
    m_printed = m_printed || done;
    return done;
}

bool PrintPreview::savePdf(const QString &path)
{
    if (!m_job.paint)
        return false;
    const bool done = trapped(Location, QStringLiteral("Save PDF Routine"), [&] {
        HourglassCursor hourglass;
        // Written beside its name and put in place only when whole: a
        // failure or a cancelled job leaves any earlier file as it was.
        PdfFile pdf(path);
        pdf.printer().setPageLayout(m_previewPrinter->pageLayout());
        pdf.printer().setDocName(m_job.name);
        m_job.paint(pdf.printer());
        pdf.commit();
    });
    m_printed = m_printed || done;
    return done;
}

void PrintPreview::chooseAndSavePdf()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save PDF"),
                                                      m_job.name + QStringLiteral(".pdf"),
                                                      QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty())
        savePdf(path);
}
