#pragma once

#include <QPrinter>
#include <QString>
#include <QTemporaryFile>
#include <memory>

// A PDF written beside its final name and put in place only once whole: a
// job that fails or is cancelled leaves no half-written file, and a file of
// that name from before stays until the new one is complete. The paper is
// the command line's (A4, as PrinterChoice::pdfChooser sets it up).
class PdfFile
{
public:
    // Throws PrintError when the folder cannot take the file.
    explicit PdfFile(const QString &path);
    ~PdfFile();

    QPrinter &printer() { return *m_printer; }
    // Puts the finished file in place of any file of its name. Throws
    // PrintError when it cannot.
    void commit();

private:
    QString m_path;
    QTemporaryFile m_temporary;
    std::unique_ptr<QPrinter> m_printer;
};
