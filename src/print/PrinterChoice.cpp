#include "PrinterChoice.h"

#include "PrintError.h"

#include <QPrintDialog>

namespace PrinterChoice {

namespace {
Chooser &chooserSlot()
{
    static Chooser chooser;
    return chooser;
}
}

std::unique_ptr<QPrinter> choose(QWidget *parent, QPageLayout::Orientation orientation, const QString &docName)
{
    std::unique_ptr<QPrinter> printer;
    if (chooserSlot()) {
        printer = chooserSlot()(parent, orientation);
        if (printer && !docName.isEmpty())
            printer->setDocName(docName);
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setPageOrientation(orientation);
        // Named before the dialog, which offers the name for printing to a file.
        printer->setDocName(docName);
        QPrintDialog dialog(printer.get(), parent);
        if (dialog.exec() != QDialog::Accepted)
            printer.reset();
    }
    if (!printer)
        cancelled();
    return printer;
}

void cancelled()
{
    throw PrintError(PrintCancelled, QStringLiteral("Cancel was selected."));
}

void setChooser(Chooser chooser)
{
    chooserSlot() = std::move(chooser);
}

bool hasChooser()
{
    return bool(chooserSlot());
}

Chooser pdfChooser(const QString &pdfPath)
{
    return [pdfPath](QWidget *, QPageLayout::Orientation orientation) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageOrientation(orientation);
        printer->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        return printer;
    };
}

} // namespace PrinterChoice
