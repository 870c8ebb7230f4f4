#pragma once

#include "Recordset.h"
#include "ScoreSummary.h"

#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;
class ReportLayout;

// A report design: what a report shows of its dataset and how it is grouped.
// One design draws the same pages into the viewer, a printer and a PDF.
class ReportDesign
{
public:
    virtual ~ReportDesign() = default;

    // Dots per inch of the exported PDF and of the viewer's pages.
    static constexpr int Resolution = 1200;

    virtual QString name() const = 0;
    virtual QPageLayout::Orientation orientation() const = 0;
    // The paper a design asks for; none leaves the printer's own.
    virtual std::optional<QPageSize> paper() const { return std::nullopt; }

    void setSchoolName(const QString &name) { m_school = name; }
    void setTitle(const QString &title) { m_title = title; }
    QString schoolName() const { return m_school; }
    QString title() const { return m_title; }

    // The one page layout of the report (paper, orientation, margins): the
    // viewer, the exported PDF and the printer lay the pages out on it, so
    // they show the same pages and the same count.
    QPageLayout pageLayout() const;

    // Told how far a long run is (done of total); returns false to cancel it.
    using Progress = std::function<bool(int done, int total)>;

    // The page count, and the page each part of the report begins on.
    struct Pagination
    {
        QVector<int> partStarts;
        int pageCount = 0;
    };
    // Lays the report out on pages of the device's size without drawing.
    // Throws PrintError (PrinterChoice::PrintCancelled) when cancelled.
    Pagination paginate(const QPaintDevice &device, const Progress &progress = {}) const;
    // Draws one page (0-based) with painter, laid out again from the part
    // it lies in: the rest of the report is neither laid out nor drawn.
    void paintPage(const QPaintDevice &device, const Pagination &pagination, int page, QPainter &painter) const;

    // Lays the report out on the device and paints it, a page at a time;
    // returns the page count. Throws PrintError when the device cannot be
    // painted on or when cancelled (PrinterChoice::PrintCancelled).
    int render(QPagedPaintDevice &device, const Progress &progress = {}) const;
    // Sets the printer's orientation and margins (and paper, when the design
    // asks for one), then renders; returns the page count. A cancelled run
    // aborts the print job.
    int print(QPrinter &printer, const Progress &progress = {}) const;
    // Writes the report into a PDF file (A4 unless the design asks
    // otherwise), beside its name until whole: a failed or cancelled run
    // leaves no file, and a file of that name from before stays as it was.
    // Throws PrintError when the file cannot be written or when cancelled.
    int writePdf(const QString &path, const Progress &progress = {}) const;

protected:
    // A long report comes in parts that each begin on a page of their own
    // (the profile: one per learner), so any page can be laid out again
    // from the start of its part. Most reports are one part.
    virtual int partCount() const { return 1; }
    virtual void compose(ReportLayout &layout, int part) const = 0;

private:
    // abort, when given, drops what a cancelled run has sent so far.
    int render(QPagedPaintDevice &device, const Progress &progress, std::function<void()> abort) const;

    QString m_school;
    QString m_title;
};

// Summary of learners per primary barrier, grouped by barrier, then grade.
class crdLearner_DisSum : public ReportDesign
{
public:
    explicit crdLearner_DisSum(Recordset rows) : m_rows(std::move(rows)) {}
    QString name() const override { return QStringLiteral("crdLearner_DisSum"); }
    QPageLayout::Orientation orientation() const override { return QPageLayout::Landscape; }

protected:
    void compose(ReportLayout &layout, int part) const override;

private:
    Recordset m_rows;
};

// Learners per responsible provider, grouped by provider.
class crdLearner_ListProv : public ReportDesign
{
public:
    explicit crdLearner_ListProv(Recordset rows) : m_rows(std::move(rows)) {}
    QString name() const override { return QStringLiteral("crdLearner_ListProv"); }
    QPageLayout::Orientation orientation() const override { return QPageLayout::Portrait; }

protected:
    void compose(ReportLayout &layout, int part) const override;

private:
    Recordset m_rows;
};

// One row per learner: the eight domain words and the five support ratings.
class crdLearnerScoreSummary : public ReportDesign
{
public:
    // gradeNames: grade identifier -> name, to print the grade as the school knows it.
    crdLearnerScoreSummary(QVector<ScoreSummaryRow> rows, QHash<QString, QString> gradeNames)
        : m_rows(std::move(rows)), m_gradeNames(std::move(gradeNames)) {}
    QString name() const override { return QStringLiteral("crdLearnerScoreSummary"); }
    QPageLayout::Orientation orientation() const override { return QPageLayout::Landscape; }
    std::optional<QPageSize> paper() const override { return QPageSize(QPageSize::A4); }

protected:
    void compose(ReportLayout &layout, int part) const override;

private:
    QVector<ScoreSummaryRow> m_rows;
    QHash<QString, QString> m_gradeNames;
};

// The learner profile: per learner the background, then the diagnostic
// profile's rows of that learner, then the criteria with the description
// chosen by each score.
class crd_01Background : public ReportDesign
{
public:
    crd_01Background(Recordset main, Recordset diagnostic, Recordset criteria, QString yearText);
    QString name() const override { return QStringLiteral("crd_01Background"); }
    QPageLayout::Orientation orientation() const override { return QPageLayout::Portrait; }
    QString yearText() const { return m_year; }

protected:
    int partCount() const override;
    // One learner's profile, or the notice of a report without learners.
    void compose(ReportLayout &layout, int part) const override;

private:
    void composeLearner(ReportLayout &layout, int row) const;
    void composeDiagnostic(ReportLayout &layout, const QVector<int> &rows) const;
    void composeCriteria(ReportLayout &layout, const QVector<int> &rows) const;

    Recordset m_main;
    Recordset m_diagnostic;
    Recordset m_criteria;
    QString m_year;
    // Each learner's rows, found once: a learner's main rows in the dataset's order.
    QVector<QVector<int>> m_learnerRows;
    QHash<qint64, QVector<int>> m_diagnosticRows;
    QHash<qint64, QVector<int>> m_criteriaRows;
};
