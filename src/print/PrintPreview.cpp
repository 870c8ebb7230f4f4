#include "PrintPreview.h"

#include "CentralRoutines.h"
#include "HourglassCursor.h"
#include "PdfFile.h"
#include "PrinterChoice.h"

#include <QAction>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

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

    auto *toolbar = new QToolBar(this);
    buildToolbar(toolbar);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_view, 1);

    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        // The widget paints from its own event handlers: a failure is
        // reported, never thrown through them.
        if (m_job.paint)
            trapped(Location, QStringLiteral("Preview Routine"), [&] { m_job.paint(*printer); });
    });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &PrintPreview::updatePageLabel);
    HourglassCursor hourglass;
    m_view->updatePreview();
    updatePageLabel();
}

PrintPreview::~PrintPreview() = default;

void PrintPreview::buildToolbar(QToolBar *toolbar)
{
    struct Tool
    {
        const char *name;   // nullptr: a separator
        const char *text;
        QKeySequence key;
        std::function<void(PrintPreview &)> act;
    };
    const Tool tools[] = {
        {"actFirst", "|< First", QKeySequence(Qt::CTRL | Qt::Key_Home), [](PrintPreview &p) { p.goToPage(1); }},
        {"actPrevious", "< Previous", QKeySequence(Qt::Key_PageUp),
         [](PrintPreview &p) { p.goToPage(p.currentPage() - 1); }},
        {"actNext", "Next >", QKeySequence(Qt::Key_PageDown), [](PrintPreview &p) { p.goToPage(p.currentPage() + 1); }},
        {"actLast", "Last >|", QKeySequence(Qt::CTRL | Qt::Key_End), [](PrintPreview &p) { p.goToPage(p.pageCount()); }},
        {nullptr, nullptr, {}, {}},
        {"actZoomIn", "Zoom In", QKeySequence::ZoomIn, [](PrintPreview &p) { p.m_view->zoomIn(); }},
        {"actZoomOut", "Zoom Out", QKeySequence::ZoomOut, [](PrintPreview &p) { p.m_view->zoomOut(); }},
        {"actFitWidth", "Fit Width", QKeySequence(Qt::CTRL | Qt::Key_1), [](PrintPreview &p) { p.m_view->fitToWidth(); }},
        {"actFitPage", "Whole Page", QKeySequence(Qt::CTRL | Qt::Key_2), [](PrintPreview &p) { p.m_view->fitInView(); }},
        {nullptr, nullptr, {}, {}},
        {"actPrint", "Print...", QKeySequence::Print, [](PrintPreview &p) { p.print(); }},
        {"actSavePdf", "Save PDF...", QKeySequence(Qt::CTRL | Qt::Key_E), [](PrintPreview &p) { p.chooseAndSavePdf(); }},
        {nullptr, nullptr, {}, {}},
        {"cmdClose", "Close", QKeySequence(), [](PrintPreview &p) { p.reject(); }},
    };
    for (const Tool &tool : tools) {
        if (!tool.name) {
            toolbar->addSeparator();
            continue;
        }
        QAction *action = toolbar->addAction(QString::fromLatin1(tool.text), this, [this, act = tool.act] { act(*this); });
        action->setObjectName(QString::fromLatin1(tool.name));
        action->setShortcut(tool.key);
        // The page number stands between the backward and forward buttons.
        if (qstrcmp(tool.name, "actPrevious") == 0) {
            m_pageLabel = new QLabel(toolbar);
            m_pageLabel->setObjectName(QStringLiteral("lblPage"));
            m_pageLabel->setMinimumWidth(90);
            m_pageLabel->setAlignment(Qt::AlignCenter);
            toolbar->addWidget(m_pageLabel);
        }
    }
}

int PrintPreview::pageCount() const { return m_view->pageCount(); }
int PrintPreview::currentPage() const { return m_view->currentPage(); }

void PrintPreview::goToPage(int page)
{
    // Past either end: the page at that end.
    if (pageCount() > 0)
        m_view->setCurrentPage(std::clamp(page, 1, pageCount()));
    updatePageLabel();
}

QPageLayout PrintPreview::pageLayout() const
{
    return m_previewPrinter->pageLayout();
}

void PrintPreview::updatePageLabel()
{
    m_pageLabel->setText(pageCount() > 0 ? QStringLiteral("Page %1 of %2").arg(currentPage()).arg(pageCount())
                                         : QString());
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
        updatePageLabel();
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
