#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QPrintPreviewWidget;
class PageToolbar;

// What a preview shows and prints: a name for the job, how it lies on the
// paper, and a painter that draws every page onto the printer it is given
// (beginning on the first page, calling newPage() between pages). The same
// painter serves the preview, the printer and the PDF, so what is seen is what
// prints.
struct PrintJob
{
    QString name;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::function<void(QPrinter &printer)> paint;
};

// The print preview every printout can share: the pages as they will print,
// turned with Page Up/Down (first and last with Ctrl+Home/End), zoomed, then
// printed on a printer the user chooses (the preview then shows that
// printer's paper and orientation) or saved as a PDF. Cancelling the choice
// prints nothing.
class PrintPreview : public QDialog
{
    Q_OBJECT
public:
    explicit PrintPreview(PrintJob job, QWidget *parent = nullptr);
    ~PrintPreview() override;

    int pageCount() const;
    int currentPage() const;
    void goToPage(int page);
    QPrintPreviewWidget *view() const { return m_view; }
    // The paper the preview shows.
    QPageLayout pageLayout() const;

    // The printer choice, then the job on the chosen printer. False when the
    // choice was cancelled or printing failed (reported once).
    bool print();
    bool savePdf(const QString &path);
    // Whether the job went to a printer or a PDF at least once.
    bool printed() const { return m_printed; }

private:
    void chooseAndSavePdf();

    PrintJob m_job;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget *m_view = nullptr;
    PageToolbar *m_toolbar = nullptr;
    bool m_printed = false;
};
