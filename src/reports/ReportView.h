#pragma once

#include "ReportBuilder.h"
#include "clsSQL.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class ReportDesign;

// "Printouts": builds one report's dataset, hands it to its design and shows
// the pages as they will print, with page navigation and zoom; prints through
// the printer choice and exports PDF. "Done" closes it.
class frmReportview : public QDialog
{
    Q_OBJECT
public:
    explicit frmReportview(QWidget *parent = nullptr);
    ~frmReportview() override;

    // Set before the screen is loaded.
    void setReportMode(const QString &mode) { m_request.mode = mode; }
    void setSQL(const QString &sql) { m_request.sql = sql; }
    void setRepVar(const QString &value) { m_request.repVar = value; }
    void setRepGrade(bool grade) { m_request.repGrade = grade; }
    QString ReportMode() const { return m_request.mode; }
    QString SQL() const { return m_request.sql; }

    // Builds and shows the report of the mode; an unknown mode shows nothing.
    // False when the report could not be built (the failure was reported).
    bool formLoad();

    const ReportDesign *design() const { return m_design.get(); }
    int pageCount() const;
    int currentPage() const;
    QPrintPreviewWidget *preview() const { return m_preview; }

    // The toolbar's actions, callable directly.
    bool printReport();
    // Writes the PDF and says where it went and how many pages it has.
    bool exportPdf(const QString &path);
    // The report's title and year as a file name, in the folder of the last
    // export or else the user's documents folder.
    QString suggestedExportPath() const;
    void goToPage(int page);

private:
    void buildToolbar(class QToolBar *toolbar);
    void chooseAndExportPdf();
    void updatePageLabel();

    ReportRequest m_request;
    std::unique_ptr<clsSQL> m_statements;
    std::unique_ptr<ReportDesign> m_design;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget *m_preview = nullptr;
    QLabel *m_pageLabel = nullptr;
};
