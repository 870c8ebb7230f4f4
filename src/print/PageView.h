#pragma once

#include <QImage>
#include <QPageLayout>
#include <QScrollArea>
#include <QVector>
#include <functional>

class PageCanvas;

// Pages shown one at a time and drawn only when shown: the page turned to,
// at the zoom chosen (the paper's width, the whole page, or a factor). Only
// the page on screen is asked for, so a document of thousands of pages opens
// as fast as one of a single page.
class PageView : public QScrollArea
{
    Q_OBJECT
public:
    // Draws one page (0-based) with a painter whose units are the document's
    // device units, from the top left corner of the paper's printable area.
    using PagePainter = std::function<void(QPainter &painter, int page)>;
    enum class Zoom { FitWidth, FitPage, Factor };

    explicit PageView(QWidget *parent = nullptr);

    // The pages to show: how many, on what paper, at what resolution (device
    // units per inch), and how each is drawn. Shows the first.
    void setDocument(int pageCount, const QPageLayout &layout, int resolution, PagePainter painter);
    int pageCount() const { return m_pageCount; }
    int currentPage() const { return m_page + 1; }   // 1-based; 0 when empty
    void setCurrentPage(int page);                  // 1-based

    void zoomIn();
    void zoomOut();
    void fitToWidth();
    void fitInView();
    Zoom zoomMode() const { return m_zoom; }
    double zoomFactor() const { return m_factor; }   // 1: the paper's own size on screen

    // The pages drawn so far (0-based), in the order they were drawn.
    const QVector<int> &drawnPages() const { return m_drawn; }

signals:
    void pageChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class PageCanvas;
    QSizeF paperOnScreen(double factor) const;   // pixels
    void applyZoom();
    const QImage &pageImage();

    int m_pageCount = 0;
    int m_page = -1;
    QPageLayout m_layout;
    int m_resolution = 72;
    PagePainter m_painter;
    Zoom m_zoom = Zoom::FitWidth;
    double m_factor = 1;
    PageCanvas *m_canvas = nullptr;
    QImage m_image;           // the page shown, drawn at its size on screen
    int m_imagePage = -1;
    QVector<int> m_drawn;
};
