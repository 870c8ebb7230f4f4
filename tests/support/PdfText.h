#pragma once

#include <QString>
#include <QStringList>

// Reads a printed PDF back: its text per page (pdftotext -layout) and its page count.
namespace PdfText {
QStringList pages(const QString &pdfPath);
QString all(const QString &pdfPath);
int pageCount(const QString &pdfPath);
QStringList fonts(const QString &pdfPath);    // pdffonts names
}
