#include "ReportDesign.h"

#include "ReportLayout.h"
#include "StoreError.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrinter>

namespace {
const QMarginsF PaperMargins(12, 12, 12, 12);   // millimetres
}

int ReportDesign::render(QPagedPaintDevice &device) const
{
    ReportLayout layout(device, m_school, m_title);
    compose(layout);
    layout.paint();
    return layout.pageCount();
}

QPageLayout ReportDesign::pageLayout() const
{
    return QPageLayout(paper().value_or(QPageSize(QPageSize::A4)), orientation(), PaperMargins, QPageLayout::Millimeter);
}

int ReportDesign::print(QPrinter &printer) const
{
    // The paper the user chose stays, unless the design asks for its own.
    if (const std::optional<QPageSize> size = paper())
        printer.setPageSize(*size);
    printer.setPageOrientation(orientation());
    printer.setPageMargins(PaperMargins, QPageLayout::Millimeter);
    return render(printer);
}

int ReportDesign::writePdf(const QString &path) const
{
    QPdfWriter writer(path);
    writer.setResolution(Resolution);
    writer.setPageLayout(pageLayout());
    writer.setTitle(m_title);
    writer.setCreator(QStringLiteral("SNA"));
    // QPdfWriter opens its file when painting begins; check first, so a
    // folder that cannot be written is reported instead of an empty result.
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        throw StoreError(StoreError::CannotOpen, QStringLiteral("Cannot write '%1': %2").arg(path, probe.errorString()));
    probe.close();
    return render(writer);
}
