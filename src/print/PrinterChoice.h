#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <functional>
#include <memory>

class QWidget;

// Where a print job goes. The program asks the user through the printer
// dialog; tests and the command line install a chooser that prints into a PDF.
// A cancelled choice is a failure, as the print routines report it.
namespace PrinterChoice {

using Chooser = std::function<std::unique_ptr<QPrinter>(QWidget *parent, QPageLayout::Orientation orientation)>;

// Shows the printer dialog (or asks the installed chooser). Throws PrintError
// (PrintCancelled) when the user cancels. docName names the job, so a print
// queue or a PDF printer shows which page of which learner it holds.
std::unique_ptr<QPrinter> choose(QWidget *parent, QPageLayout::Orientation orientation = QPageLayout::Portrait,
                                 const QString &docName = QString());

void setChooser(Chooser chooser);   // empty restores the printer dialog
// Whether a chooser stands in for the dialog: jobs then go straight to it,
// without a preview that waits for a user.
bool hasChooser();

// A chooser that prints every job into the given PDF file (A4).
Chooser pdfChooser(const QString &pdfPath);

constexpr long PrintCancelled = 32755;   // "Cancel was selected."
// Throws the PrintError of a print job the user cancelled.
[[noreturn]] void cancelled();
}
