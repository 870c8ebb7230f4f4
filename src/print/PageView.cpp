#include "PageView.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {
constexpr double ZoomStep = 1.25;
constexpr double SmallestZoom = 0.1;
constexpr double LargestZoom = 8;
constexpr int PaperMargin = 12;   // pixels of background around the sheet
}

// The sheet on screen: the page's picture, drawn when first shown at its size.
class PageCanvas : public QWidget
{
public:
    explicit PageCanvas(PageView &view) : QWidget(&view), m_view(view) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_view.m_pageCount < 1)
            return;
        QPainter painter(this);
        painter.drawImage(QPoint(PaperMargin, PaperMargin), m_view.pageImage());
    }

private:
    PageView &m_view;
};

PageView::PageView(QWidget *parent)
    : QScrollArea(parent)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    setFocusPolicy(Qt::StrongFocus);
    m_canvas = new PageCanvas(*this);
    setWidget(m_canvas);
}

void PageView::setDocument(int pageCount, const QPageLayout &layout, int resolution, PagePainter painter)
{
    m_pageCount = std::max(0, pageCount);
    m_layout = layout;
    m_resolution = std::max(1, resolution);
    m_painter = std::move(painter);
    m_page = m_pageCount > 0 ? 0 : -1;
    m_imagePage = -1;
    m_drawn.clear();
    applyZoom();
    emit pageChanged();
}

void PageView::setCurrentPage(int page)
{
    if (m_pageCount < 1)
        return;
    const int index = std::clamp(page, 1, m_pageCount) - 1;
    if (index == m_page)
        return;
    m_page = index;
    verticalScrollBar()->setValue(0);
    m_canvas->update();
    emit pageChanged();
}

void PageView::zoomIn()
{
    m_zoom = Zoom::Factor;
    m_factor = std::min(LargestZoom, m_factor * ZoomStep);
    applyZoom();
}

void PageView::zoomOut()
{
    m_zoom = Zoom::Factor;
    m_factor = std::max(SmallestZoom, m_factor / ZoomStep);
    applyZoom();
}

void PageView::fitToWidth()
{
    m_zoom = Zoom::FitWidth;
    applyZoom();
}

void PageView::fitInView()
{
    m_zoom = Zoom::FitPage;
    applyZoom();
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (m_zoom != Zoom::Factor)
        applyZoom();
}

QSizeF PageView::paperOnScreen(double factor) const
{
    const QSizeF points = m_layout.fullRectPoints().size();
    return points * factor * logicalDpiX() / 72.0;
}

void PageView::applyZoom()
{
    const QSizeF actual = paperOnScreen(1);
    if (m_zoom != Zoom::Factor && !actual.isEmpty()) {
        // Room for the sheet and its margin, with a vertical bar when the
        // sheet is taller than the view.
        const double width = viewport()->width() - 2 * PaperMargin;
        const double height = viewport()->height() - 2 * PaperMargin;
        const double byWidth = (width - (m_zoom == Zoom::FitWidth ? verticalScrollBar()->sizeHint().width() : 0)) / actual.width();
        m_factor = m_zoom == Zoom::FitWidth ? byWidth : std::min(width / actual.width(), height / actual.height());
        m_factor = std::clamp(m_factor, SmallestZoom, LargestZoom);
    }
    const QSize sheet = paperOnScreen(m_factor).toSize();
    m_canvas->resize(sheet + QSize(2 * PaperMargin, 2 * PaperMargin));
    m_canvas->update();
}

const QImage &PageView::pageImage()
{
    const QSize sheet = paperOnScreen(m_factor).toSize();
    if (m_imagePage == m_page && m_image.size() == sheet)
        return m_image;
    m_image = QImage(sheet, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::white);
    // Text is measured as the document's device measures it, then the
    // whole page is scaled to the sheet on screen.
    const int dotsPerMeter = qRound(m_resolution / 0.0254);
    m_image.setDotsPerMeterX(dotsPerMeter);
    m_image.setDotsPerMeterY(dotsPerMeter);
    const QRect full = m_layout.fullRectPixels(m_resolution);
    const QRect printable = m_layout.paintRectPixels(m_resolution);
    QPainter painter(&m_image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(double(sheet.width()) / full.width(), double(sheet.height()) / full.height());
    painter.translate(printable.topLeft());
    if (m_painter)
        m_painter(painter, m_page);
    painter.end();
    m_imagePage = m_page;
    m_drawn << m_page;
    return m_image;
}
