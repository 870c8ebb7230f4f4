#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

// Reads a printed PDF back: its text per page (pdftotext -layout), its words
// with their positions (pdftotext -bbox), its page count and its title.
namespace PdfText {

struct Word
{
    QString text;
    int page = 0;     // 1-based
    QRectF box;       // points from the page's top left corner
};
QStringList pages(const QString &pdfPath);
QString all(const QString &pdfPath);
int pageCount(const QString &pdfPath);
QStringList fonts(const QString &pdfPath);    // pdffonts names
QVector<Word> words(const QString &pdfPath);
// The first word whose text is exactly text; page 0 when there is none.
Word find(const QVector<Word> &words, const QString &text);
QString title(const QString &pdfPath);        // pdfinfo "Title:"
QSizeF pageSize(const QString &pdfPath);      // pdfinfo "Page size:" in points; empty when unread
}
