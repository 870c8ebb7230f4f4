#pragma once

#include "LearnerContext.h"
#include "PrintPreview.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class SectionScreen;
class SharedDocument;

// A learner's whole file for one year as one document: a cover with the
// school, the learner, the year, the day printed and the contents, then every
// page of every section in stage order (each screen of a section's chain,
// each tab of a screen), drawn by the screens' own page code on screens loaded
// without being shown. A section with nothing stored for the learner and year
// is listed as "not completed" and its pages are left out. The foot of every
// sheet names the learner and gives "page N of M".
class LearnerFile
{
public:
    // Told how far the work is (done of total steps); returns false to cancel.
    using Progress = std::function<bool(int done, int total)>;

    struct Entry
    {
        QString title;
        bool completed = false;
        int firstSheet = 0;   // known once the file has been painted
    };

    LearnerFile(qint32 learnerId, qint32 year);
    ~LearnerFile();

    // Reads the learner and what is stored, and loads the screens of every
    // completed section. Throws StoreError when the learner does not exist or
    // the store cannot be read; false when a screen's load failed (its own
    // report has been shown).
    bool load(const Progress &progress = {});

    // The cover and the pages onto printer, as one job. Throws StoreError on
    // a printer failure or a cancel (PrinterChoice::PrintCancelled).
    void paint(QPrinter &printer, const Progress &progress = {});
    PrintJob job(Progress progress = {});

    const LearnerFacts &learner() const { return m_learner; }
    const QVector<Entry> &contents() const { return m_contents; }
    int sheetCount() const { return m_sheets; }
    QString documentName() const;
    // When the file says it was printed (tests fix the day).
    void setPrintedOn(const QDate &day) { m_printedOn = day; }

private:
    struct Page
    {
        int section;   // index into contents
        SectionScreen *screen;
        int tab;       // -1: a screen without tabs
    };

    void paintPass(QPrinter &printer, int totalSheets, const Progress &progress);
    void paintCover(SharedDocument &document);

    qint32 m_learnerId;
    qint32 m_year;
    LearnerFacts m_learner;
    QDate m_printedOn = QDate::currentDate();
    QVector<Entry> m_contents;
    std::vector<std::unique_ptr<SectionScreen>> m_screens;
    QVector<Page> m_pages;
    int m_sheets = 0;
};
