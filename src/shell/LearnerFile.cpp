#include "LearnerFile.h"

#include "AppState.h"
#include "Connection.h"
#include "LearnerSections.h"
#include "PagePrinter.h"
#include "PrinterChoice.h"
#include "Recordset.h"
#include "ScreenRegistry.h"
#include "SectionScreen.h"
#include "SharedDocument.h"
#include "StoreError.h"

#include <QPrinter>
#include <QTemporaryDir>

namespace {

const QString PageFont = QStringLiteral("Times New Roman");

bool anythingStored(Connection &connection, const QStringList &tables, qint32 learnerId, qint32 year)
{
    for (const QString &table : tables) {
        Recordset rs = connection.query(QStringLiteral("SELECT COUNT(*) AS Lines FROM ") + table
                                        + QStringLiteral(" WHERE LearnerID = ") + QString::number(learnerId)
                                        + QStringLiteral(" AND Data_Year = ") + QString::number(year));
        if (rs.value(QStringLiteral("Lines")).toInt() > 0)
            return true;
    }
    return false;
}

} // namespace

LearnerFile::LearnerFile(qint32 learnerId, qint32 year)
    : m_learnerId(learnerId), m_year(year)
{
}

LearnerFile::~LearnerFile() = default;

QString LearnerFile::documentName() const
{
    return QStringLiteral("Learner File %1 - %2").arg(m_year).arg(m_learner.name);
}

bool LearnerFile::load(const Progress &progress)
{
    m_contents.clear();
    m_pages.clear();
    m_screens.clear();
    {
        std::unique_ptr<Connection> connection = Connection::open(appState().DatabasePath);
        if (!readLearner(*connection, m_learnerId, m_learner))
            throw StoreError(0, QStringLiteral("No learner has the ID %1.").arg(m_learnerId));
        for (const LearnerSections::Section &section : LearnerSections::all())
            m_contents.append({section.title, anythingStored(*connection, section.tables, m_learnerId, m_year), 0});
    }

    // The screens of a section's chain, first to last; every screen is loaded
    // as the chain would open it, for this learner and year.
    QVector<QPair<int, QString>> chain;
    const ScreenRegistry &registry = ScreenRegistry::instance();
    for (int i = 0; i < m_contents.size(); ++i) {
        if (!m_contents[i].completed)
            continue;
        for (QString name = LearnerSections::all()[i].firstScreen; !name.isEmpty();) {
            const ScreenRegistry::Entry *entry = registry.entry(name);
            if (!entry)
                break;
            chain.append({i, name});
            name = entry->next;
        }
    }
    LearnerContext context(m_learner, m_year);
    for (int step = 0; step < chain.size(); ++step) {
        if (progress && !progress(step, chain.size()))
            PrinterChoice::cancelled();
        SectionScreen *screen = registry.entry(chain[step].second)->create(nullptr);
        m_screens.emplace_back(screen);
        if (!screen->loadScreen())
            return false;
        const int tabs = screen->pageCount();
        for (int tab = 0; tab < qMax(1, tabs); ++tab)
            m_pages.append({chain[step].first, screen, tabs > 0 ? tab : -1});
    }
    return true;
}

void LearnerFile::paint(QPrinter &printer, const Progress &progress)
{
    // The cover's contents and every foot need the number of sheets, which
    // only laying the pages out tells: the first pass counts them on a copy
    // of the printer's paper, the second prints.
    QTemporaryDir scratch;
    QPrinter counting(QPrinter::HighResolution);
    counting.setOutputFormat(QPrinter::PdfFormat);
    counting.setOutputFileName(scratch.filePath(QStringLiteral("count.pdf")));
    counting.setResolution(printer.resolution());
    counting.setPageLayout(printer.pageLayout());
    const int pages = int(m_pages.size());
    paintPass(counting, 0, [&](int done, int) { return !progress || progress(done, 2 * pages); });
    paintPass(printer, m_sheets, [&](int done, int) { return !progress || progress(pages + done, 2 * pages); });
}

void LearnerFile::paintPass(QPrinter &printer, int totalSheets, const Progress &progress)
{
    LearnerContext context(m_learner, m_year);
    const QPageLayout::Orientation first = printer.pageLayout().orientation();
    SharedDocument document(printer, m_learner.name, totalSheets);
    document.startSheet(QPageLayout::Portrait);
    paintCover(document);
    for (Entry &entry : m_contents)
        entry.firstSheet = 0;
    for (int i = 0; i < m_pages.size(); ++i) {
        if (!progress(i + 1, m_pages.size()))
            PrinterChoice::cancelled();
        const Page &page = m_pages[i];
        document.startSheet(page.screen->pageOrientation());
        if (m_contents[page.section].firstSheet == 0)
            m_contents[page.section].firstSheet = document.sheet();
        if (page.tab >= 0)
            page.screen->setCurrentPage(page.tab);
        PagePrinter printerOfPage(document);
        page.screen->printInto(printerOfPage);
    }
    document.finish();
    m_sheets = document.sheet();
    // The printer is handed back as it came.
    printer.setPageOrientation(first);
}

void LearnerFile::paintCover(SharedDocument &document)
{
    PagePrinter page(document);
    const AppState &state = appState();
    page.setFont(PageFont, 16, true);
    page.setPosition(500, 600);
    page.printLine(QStringLiteral("LEARNER FILE %1").arg(m_year));

    const QStringList facts{
        QStringLiteral("School: ") + state.SchoolName,
        QStringLiteral("EMIS number: ") + state.EmisCode,
        QString(),
        QStringLiteral("Learner: ") + m_learner.name,
        QStringLiteral("Accession number: ") + m_learner.accessionNo,
        QStringLiteral("Grade: ") + m_learner.grade,
        QStringLiteral("Date of birth: ") + m_learner.birthDateShown,
        QString(),
        QStringLiteral("Year: %1").arg(m_year),
        QStringLiteral("Printed: ") + m_printedOn.toString(QStringLiteral("dd/MM/yyyy")),
    };
    page.setFont(PageFont, 11, false);
    page.setPosition(500, 1400);
    for (const QString &line : facts) {
        const double y = page.positionY();
        page.setPosition(500, y);
        page.printLine(line);
    }

    page.setFont(PageFont, 12, true);
    page.setPosition(500, page.positionY() + 400);
    page.printLine(QStringLiteral("CONTENTS"));
    page.setFont(PageFont, 11, false);
    const double numberX = page.pageWidth() - 2200;
    for (const Entry &entry : m_contents) {
        const double y = page.positionY() + 60;
        page.setPosition(numberX, y);
        page.printLine(entry.completed ? QStringLiteral("page %1").arg(entry.firstSheet)
                                       : QStringLiteral("not completed"));
        page.setPosition(500, y);
        page.printLine(entry.title);
    }
    page.endDoc();
}

PrintJob LearnerFile::job(Progress progress)
{
    return {documentName(), QPageLayout::Portrait,
            [this, progress](QPrinter &printer) { paint(printer, progress); }};
}
