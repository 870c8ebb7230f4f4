#include "ReportDesign.h"

#include "PrintError.h"
#include "PrinterChoice.h"
#include "ReportLayout.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>

namespace {

const QMarginsF PaperMargins(12, 12, 12, 12);   // millimetres
// A run's progress in steps of a thousand: laying out without drawing takes
// about the first third of a run, drawing and writing the rest.
constexpr int ProgressSteps = 1000;
constexpr int LaidOutAt = 350;

// Reports done of total as the share between from and to of a whole run;
// a cancel throws.
void tell(const ReportDesign::Progress &progress, int done, int total, int from, int to)
{
    if (progress && total > 0 && !progress(from + int(qint64(to - from) * done / total), ProgressSteps))
        PrinterChoice::cancelled();
}

// Every page onto a paged device, in order: one painter for the run, a new
// sheet before each page after the first.
class DevicePages : public PageSink
{
public:
    DevicePages(QPagedPaintDevice &device, const ReportDesign::Progress &progress, int pageCount,
                std::function<void()> abort)
        : m_device(device), m_progress(progress), m_pageCount(pageCount), m_abort(std::move(abort))
    {
    }
    ~DevicePages() override
    {
        if (m_painter.isActive())
            m_painter.end();
    }

    QPainter *beginPage(int page) override
    {
        if (page == 0) {
            if (!m_painter.begin(&m_device))
                throw PrintError(PrintError::PrinterFailed, QStringLiteral("The pages could not be drawn on the printer or file."));
            return &m_painter;
        }
        try {
            tell(m_progress, page, m_pageCount, LaidOutAt, ProgressSteps);
        } catch (const PrintError &) {
            if (m_abort)
                m_abort();
            throw;
        }
        m_device.newPage();
        return &m_painter;
    }

    void finish()
    {
        tell(m_progress, m_pageCount, m_pageCount, LaidOutAt, ProgressSteps);
        if (m_painter.isActive() && !m_painter.end())
            throw PrintError(PrintError::PrinterFailed, QStringLiteral("The pages could not be finished on the printer or file."));
    }

private:
    QPagedPaintDevice &m_device;
    const ReportDesign::Progress &m_progress;
    int m_pageCount;
    std::function<void()> m_abort;
    QPainter m_painter;
};

// One page drawn, every other laid out only.
class OnePage : public PageSink
{
public:
    OnePage(int page, QPainter &painter) : m_page(page), m_painter(painter) {}
    QPainter *beginPage(int page) override { return page == m_page ? &m_painter : nullptr; }

private:
    int m_page;
    QPainter &m_painter;
};

} // namespace

QPageLayout ReportDesign::pageLayout() const
{
    return QPageLayout(paper().value_or(QPageSize(QPageSize::A4)), orientation(), PaperMargins, QPageLayout::Millimeter);
}

ReportDesign::Pagination ReportDesign::paginate(const QPaintDevice &device, const Progress &progress) const
{
    ReportLayout layout(device, m_school, m_title);
    Pagination pagination;
    const int parts = partCount();
    for (int part = 0; part < parts; ++part) {
        if (part > 0)
            layout.newPage();
        pagination.partStarts << layout.currentPage();
        compose(layout, part);
        tell(progress, part + 1, parts, 0, LaidOutAt);
    }
    pagination.pageCount = layout.pageCount();
    return pagination;
}

void ReportDesign::paintPage(const QPaintDevice &device, const Pagination &pagination, int page, QPainter &painter) const
{
    const QVector<int> &starts = pagination.partStarts;
    if (page < 0 || page >= pagination.pageCount || starts.isEmpty())
        return;
    // The last part that begins on or before the page; the page is done once
    // the next part would begin after it.
    const int first = int(std::upper_bound(starts.cbegin(), starts.cend(), page) - starts.cbegin()) - 1;
    OnePage sink(page, painter);
    ReportLayout layout(device, m_school, m_title, {&sink, starts.at(first), pagination.pageCount});
    for (int part = first; part < starts.size() && (part == first || starts.at(part) <= page); ++part) {
        if (part > first)
            layout.newPage();
        compose(layout, part);
    }
}

int ReportDesign::render(QPagedPaintDevice &device, const Progress &progress) const
{
    return render(device, progress, {});
}

int ReportDesign::render(QPagedPaintDevice &device, const Progress &progress, std::function<void()> abort) const
{
    // The first pass counts the pages, so every page can say "Page i of n"
    // as it is drawn; nothing of a page is kept once it is written.
    const Pagination pagination = paginate(device, progress);
    DevicePages pages(device, progress, pagination.pageCount, std::move(abort));
    ReportLayout layout(device, m_school, m_title, {&pages, 0, pagination.pageCount});
    for (int part = 0; part < pagination.partStarts.size(); ++part) {
        if (part > 0)
            layout.newPage();
        compose(layout, part);
    }
    pages.finish();
    return pagination.pageCount;
}

int ReportDesign::print(QPrinter &printer, const Progress &progress) const
{
    // The paper the user chose stays, unless the design asks for its own.
    if (const std::optional<QPageSize> size = paper())
        printer.setPageSize(*size);
    printer.setPageOrientation(orientation());
    printer.setPageMargins(PaperMargins, QPageLayout::Millimeter);
    return render(printer, progress, [&printer] { printer.abort(); });
}

int ReportDesign::writePdf(const QString &path, const Progress &progress) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw PrintError(PrintError::CannotWrite, QStringLiteral("Cannot write '%1': %2").arg(path, file.errorString()));
    int pages = 0;
    {
        QPdfWriter writer(&file);
        writer.setResolution(Resolution);
        writer.setPageLayout(pageLayout());
        writer.setTitle(m_title);
        writer.setCreator(QStringLiteral("SNA"));
        pages = render(writer, progress);
    }
    // Only a whole file takes the name; until then any file of that name stays.
    if (!file.commit())
        throw PrintError(PrintError::CannotWrite, QStringLiteral("Cannot write '%1': %2").arg(path, file.errorString()));
    return pages;
}
