#pragma once

#include <QPageLayout>
#include <QPainter>
#include <QString>

class QPrinter;

// One print job that several pages draw into in turn (a learner's whole file:
// a cover and every section page). The painter stays open from the first sheet
// to the last, sheets are numbered through the whole job, and the foot of
// every sheet carries one line of text and "page N of M". Page printers made on
// the document lay their pages out above the foot, so the foot never hides
// what they print.
class SharedDocument
{
public:
    // totalSheets: M of "page N of M"; 0 while the sheets are only being
    // counted (the foot then shows no total).
    SharedDocument(QPrinter &printer, const QString &footText, int totalSheets);
    // A document not finished is abandoned, not sent.
    ~SharedDocument();

    QPrinter &printer() { return m_printer; }
    QPainter &painter();   // begins the job on first use

    // Height kept free at the bottom of every sheet for the foot, in twips.
    static constexpr double FootHeight = 400;

    // A new sheet in the orientation given; the first call starts the first
    // sheet. The foot of the sheet left is drawn before it is left.
    void startSheet(QPageLayout::Orientation orientation);
    // The next sheet in the same orientation, as a page continues.
    void continueSheet();
    void finish();

    int sheet() const { return m_sheet; }   // 1-based, 0 before the first

private:
    void drawFoot();
    void nextSheet();

    QPrinter &m_printer;
    QPainter m_painter;
    QString m_footText;
    int m_total;
    int m_sheet = 0;
    bool m_finished = false;
};
