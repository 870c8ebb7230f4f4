#pragma once

#include "ReportBuilder.h"
#include "ReportDesign.h"
#include "clsSQL.h"

#include <QDialog>
#include <memory>

class PageToolbar;
class PageView;
class QBuffer;
class QPdfWriter;

// "Printouts": builds one report's dataset, hands it to its design and shows
// the pages as they will print, with page navigation and zoom; prints through
// the printer choice and exports PDF. "Done" closes it. Only the page shown
// is drawn; a long run (opening, printing or exporting a report of many
// pages) shows a progress bar with Cancel.
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
    PageView *pageView() const { return m_view; }

    // The toolbar's actions, callable directly.
    bool printReport();
    // Writes the PDF and says where it went and how many pages it has.
    bool exportPdf(const QString &path);
    // The report's title and year as a file name, in the folder of the last
    // export or else the user's documents folder.
    QString suggestedExportPath() const;
    void goToPage(int page);

private:
    void chooseAndExportPdf();

    ReportRequest m_request;
    std::unique_ptr<clsSQL> m_statements;
    std::unique_ptr<ReportDesign> m_design;
    // The device the shown pages are measured on: the exported PDF's paper
    // and resolution, never written.
    std::unique_ptr<QBuffer> m_nowhere;
    std::unique_ptr<QPdfWriter> m_measure;
    ReportDesign::Pagination m_pagination;
    PageView *m_view = nullptr;
    PageToolbar *m_toolbar = nullptr;
};
