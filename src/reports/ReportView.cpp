#include "ReportView.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "HourglassCursor.h"
#include "MessageBoxes.h"
#include "PageToolbar.h"
#include "PageView.h"
#include "PrinterChoice.h"
#include "ProgressWindow.h"
#include "StoreWork.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QFileDialog>
#include <QKeySequence>
#include <QPdfWriter>
#include <QPrinter>

namespace {
const QString Location = QStringLiteral("frmReportview");
const QString ProgressTitle = QStringLiteral("Printouts");
}

frmReportview::frmReportview(QWidget *parent)
    : QDialog(parent),
      m_nowhere(std::make_unique<QBuffer>()),
      m_measure(std::make_unique<QPdfWriter>(m_nowhere.get()))
{
    setObjectName(Location);
    setWindowTitle(QStringLiteral("Printouts"));
    resize(1000, 760);

    m_view = new PageView(this);
    m_view->setObjectName(QStringLiteral("CRViewer1"));

    m_toolbar = new PageToolbar(this, m_view, PageToolbar::Pages::of(m_view),
                                {{{QStringLiteral("actPrint"), QStringLiteral("Print..."), QKeySequence::Print,
                                   [this] { printReport(); }},
                                  {QStringLiteral("actExport"), QStringLiteral("Export PDF..."),
                                   QKeySequence(Qt::CTRL | Qt::Key_E), [this] { chooseAndExportPdf(); }}},
                                 {{QStringLiteral("cmdDone"), QStringLiteral("Done"), QKeySequence(),
                                   [this] { close(); }}}});
    connect(m_view, &PageView::pageChanged, m_toolbar, &PageToolbar::showPageNumber);
}

frmReportview::~frmReportview() = default;

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
    m_pagination = {};
    // The pages shown are the pages exported: same paper, margins and
    // resolution, so the same layout and the same page count. Only the
    // count is worked out here; each page is laid out again when shown.
    const bool laidOut = !m_design || trapped(Location, m_request.mode + QStringLiteral(" Routine"), [&] {
        m_measure->setResolution(ReportDesign::Resolution);
        m_measure->setPageLayout(m_design->pageLayout());
        ProgressWindow progress(this, QStringLiteral("prgReport"), ProgressTitle, QStringLiteral("Laying out the pages..."));
        HourglassCursor hourglass;
        m_pagination = m_design->paginate(*m_measure, progress.step());
    });
    if (!laidOut)
        m_design.reset();
    const QPageLayout paper = m_design ? m_design->pageLayout() : QPageLayout();
    m_view->setDocument(m_design ? m_pagination.pageCount : 0, paper, ReportDesign::Resolution,
                        [this](QPainter &painter, int page) {
                            // Drawn from the view's paint event: a failure is
                            // reported, never thrown through it.
                            trapped(Location, QStringLiteral("Preview Routine"), [&] {
                                if (m_design)
                                    m_design->paintPage(*m_measure, m_pagination, page, painter);
                            });
                        });
    m_toolbar->showPageNumber();
    return built && laidOut;
}

int frmReportview::pageCount() const
{
    return m_view->pageCount();
}

int frmReportview::currentPage() const
{
    return m_view->currentPage();
}

void frmReportview::goToPage(int page)
{
    m_toolbar->goToPage(page);
}

bool frmReportview::printReport()
{
    if (!m_design)
        return false;
    return trapped(Location, QStringLiteral("Print Routine"), [&] {
        std::unique_ptr<QPrinter> printer = PrinterChoice::choose(this, m_design->orientation());
        ProgressWindow progress(this, QStringLiteral("prgReport"), ProgressTitle, QStringLiteral("Printing the report..."));
        HourglassCursor hourglass;
        m_design->print(*printer, progress.step());
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
        ProgressWindow progress(this, QStringLiteral("prgReport"), ProgressTitle, QStringLiteral("Exporting the report..."));
        HourglassCursor hourglass;
        pages = m_design->writePdf(path, progress.step());
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
