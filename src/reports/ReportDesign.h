#pragma once

#include "Recordset.h"
#include "ScoreSummary.h"

#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <optional>

class QPagedPaintDevice;
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

    // Lays the report out on the device and paints it; returns the page count.
    int render(QPagedPaintDevice &device) const;
    // Sets the printer's orientation and margins (and paper, when the design
    // asks for one), then renders; returns the page count.
    int print(QPrinter &printer) const;
    // Writes the report into a PDF file (A4 unless the design asks otherwise).
    // Throws StoreError when the file cannot be written.
    int writePdf(const QString &path) const;

protected:
    virtual void compose(ReportLayout &layout) const = 0;

private:
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
    void compose(ReportLayout &layout) const override;

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
    void compose(ReportLayout &layout) const override;

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
    void compose(ReportLayout &layout) const override;

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
    crd_01Background(Recordset main, Recordset diagnostic, Recordset criteria, QString yearText)
        : m_main(std::move(main)), m_diagnostic(std::move(diagnostic)), m_criteria(std::move(criteria)),
          m_year(std::move(yearText)) {}
    QString name() const override { return QStringLiteral("crd_01Background"); }
    QPageLayout::Orientation orientation() const override { return QPageLayout::Portrait; }
    QString yearText() const { return m_year; }

protected:
    void compose(ReportLayout &layout) const override;

private:
    void composeLearner(ReportLayout &layout, int row) const;
    void composeDiagnostic(ReportLayout &layout, const QVector<int> &rows) const;
    void composeCriteria(ReportLayout &layout, const QVector<int> &rows) const;

    Recordset m_main;
    Recordset m_diagnostic;
    Recordset m_criteria;
    QString m_year;
};
