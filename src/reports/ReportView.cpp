#include "ReportView.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "HourglassCursor.h"
#include "MessageBoxes.h"
#include "PrinterChoice.h"
#include "ReportDesign.h"
#include "StoreWork.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const QString Location = QStringLiteral("frmReportview");
}

frmReportview::frmReportview(QWidget *parent)
    : QDialog(parent),
      m_previewPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(Location);
    setWindowTitle(QStringLiteral("Printouts"));
    resize(1000, 760);

    m_preview = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    m_preview->setObjectName(QStringLiteral("CRViewer1"));
    m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth);

    auto *toolbar = new QToolBar(this);
    buildToolbar(toolbar);

    // The viewer fills the screen under its toolbar and follows its size.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_preview, 1);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        if (m_design)
            m_design->render(*printer);
    });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &frmReportview::updatePageLabel);
}

frmReportview::~frmReportview() = default;

void frmReportview::buildToolbar(QToolBar *toolbar)
{
    auto add = [&](const QString &name, const QString &text, const QKeySequence &key, auto slot) {
        QAction *action = toolbar->addAction(text, this, slot);
        action->setObjectName(name);
        if (!key.isEmpty())
            action->setShortcut(key);
        return action;
    };
    add(QStringLiteral("actFirst"), QStringLiteral("|< First"), QKeySequence(Qt::CTRL | Qt::Key_Home),
        [this] { goToPage(1); });
    add(QStringLiteral("actPrevious"), QStringLiteral("< Previous"), QKeySequence(Qt::Key_PageUp),
        [this] { goToPage(currentPage() - 1); });
    m_pageLabel = new QLabel(toolbar);
    m_pageLabel->setObjectName(QStringLiteral("lblPage"));
    m_pageLabel->setMinimumWidth(90);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    toolbar->addWidget(m_pageLabel);
    add(QStringLiteral("actNext"), QStringLiteral("Next >"), QKeySequence(Qt::Key_PageDown),
        [this] { goToPage(currentPage() + 1); });
    add(QStringLiteral("actLast"), QStringLiteral("Last >|"), QKeySequence(Qt::CTRL | Qt::Key_End),
        [this] { goToPage(pageCount()); });
    toolbar->addSeparator();
    add(QStringLiteral("actZoomIn"), QStringLiteral("Zoom In"), QKeySequence::ZoomIn, [this] { m_preview->zoomIn(); });
    add(QStringLiteral("actZoomOut"), QStringLiteral("Zoom Out"), QKeySequence::ZoomOut, [this] { m_preview->zoomOut(); });
    add(QStringLiteral("actFitWidth"), QStringLiteral("Fit Width"), QKeySequence(Qt::CTRL | Qt::Key_1),
        [this] { m_preview->fitToWidth(); });
    add(QStringLiteral("actFitPage"), QStringLiteral("Whole Page"), QKeySequence(Qt::CTRL | Qt::Key_2),
        [this] { m_preview->fitInView(); });
    toolbar->addSeparator();
    add(QStringLiteral("actPrint"), QStringLiteral("Print..."), QKeySequence::Print, [this] { printReport(); });
    add(QStringLiteral("actExport"), QStringLiteral("Export PDF..."), QKeySequence(Qt::CTRL | Qt::Key_E),
        [this] { chooseAndExportPdf(); });
    toolbar->addSeparator();
    add(QStringLiteral("cmdDone"), QStringLiteral("Done"), QKeySequence(), [this] { close(); });
}

bool frmReportview::formLoad()
{
    m_design.reset();
    if (!m_statements)
        m_statements = std::make_unique<clsSQL>();
    const AppState &state = appState();
    m_request.reportYear = state.ReportYear;
    m_request.currentDataYear = state.CurrentDataYear;
    const bool built = StoreWork::run(Location, m_request.mode + QStringLiteral(" Routine"), [&](Connection &connection) {
        HourglassCursor hourglass;
        m_design = ReportBuilder::build(connection, *m_statements, m_request, state.SchoolName);
    });
    if (!built)
        m_design.reset();
    // The pages shown are the pages exported: same paper, margins and
    // resolution, so the same layout and the same page count.
    if (m_design) {
        m_previewPrinter->setResolution(ReportDesign::Resolution);
        m_previewPrinter->setPageLayout(m_design->pageLayout());
    }
    HourglassCursor hourglass;
    m_preview->updatePreview();
    updatePageLabel();
    return built;
}

int frmReportview::pageCount() const
{
    return m_preview->pageCount();
}

int frmReportview::currentPage() const
{
    return m_preview->currentPage();
}

void frmReportview::goToPage(int page)
{
    if (pageCount() < 1)
        return;
    m_preview->setCurrentPage(std::clamp(page, 1, pageCount()));
    updatePageLabel();
}

void frmReportview::updatePageLabel()
{
    m_pageLabel->setText(pageCount() > 0 ? QStringLiteral("Page %1 of %2").arg(currentPage()).arg(pageCount())
                                         : QString());
}

bool frmReportview::printReport()
{
    if (!m_design)
        return false;
    return trapped(Location, QStringLiteral("Print Routine"), [&] {
        std::unique_ptr<QPrinter> printer = PrinterChoice::choose(this, m_design->orientation());
        HourglassCursor hourglass;
        m_design->print(*printer);
    });
}

namespace {

// The folder of the last export in this session; the documents folder before.
QString &lastExportFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString frmReportview::suggestedExportPath() const
{
    if (!m_design)
        return QString();
    QString folder = lastExportFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    // The title names the report and its year; characters no file name may
    // hold are left out.
    static const QRegularExpression notInNames(QStringLiteral("[\\\\/:*?\"<>|]"));
    const QString name = QString(m_design->title()).remove(notInNames).simplified();
    return QDir(folder).filePath((name.isEmpty() ? m_design->name() : name) + QStringLiteral(".pdf"));
}

bool frmReportview::exportPdf(const QString &path)
{
    if (!m_design)
        return false;
    int pages = 0;
    const bool written = trapped(Location, QStringLiteral("Export Routine"), [&] {
        HourglassCursor hourglass;
        pages = m_design->writePdf(path);
    });
    if (!written)
        return false;
    lastExportFolder() = QFileInfo(path).absolutePath();
    ShowUserMessage(QStringLiteral("The report was saved (%1) as:\r\n%2")
                        .arg(pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages),
                             QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    return true;
}

void frmReportview::chooseAndExportPdf()
{
    if (!m_design)
        return;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export PDF"), suggestedExportPath(),
                                                      QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty())
        exportPdf(path);
}
