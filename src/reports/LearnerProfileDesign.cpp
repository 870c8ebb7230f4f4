#include "ReportDesign.h"

#include "ReportLayout.h"
#include "ReportTexts.h"

#include <QHash>

namespace {

QString yesNo(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

// The description a score chooses: 1 the mild one, 2 the moderate, 3 the severe.
QString chosenDescription(const Recordset &criteria, int row)
{
    switch (criteria.value(row, QStringLiteral("Score")).toInt()) {
    case 1: return criteria.text(row, QStringLiteral("DescMild"));
    case 2: return criteria.text(row, QStringLiteral("DescMod"));
    case 3: return criteria.text(row, QStringLiteral("DescSevere"));
    default: return QString();
    }
}

// The rows of each learner, found in one pass: the subreports hold every
// learner's rows for the year.
QHash<qint64, QVector<int>> rowsByLearner(const Recordset &rows, const QString &idField)
{
    QHash<qint64, QVector<int>> index;
    for (int row = 0; row < rows.recordCount(); ++row)
        index[rows.value(row, idField).toLongLong()] << row;
    return index;
}

} // namespace

crd_01Background::crd_01Background(Recordset main, Recordset diagnostic, Recordset criteria, QString yearText)
    : m_main(std::move(main)), m_diagnostic(std::move(diagnostic)), m_criteria(std::move(criteria)),
      m_year(std::move(yearText)),
      m_diagnosticRows(rowsByLearner(m_diagnostic, QStringLiteral("ID"))),
      m_criteriaRows(rowsByLearner(m_criteria, QStringLiteral("LearnerID")))
{
    // A learner with several additional barriers has a row for each; the
    // rows of one learner make one profile, in the dataset's order.
    QHash<qint64, int> partOf;
    for (int row = 0; row < m_main.recordCount(); ++row) {
        const qint64 learner = m_main.value(row, QStringLiteral("LearnerID")).toLongLong();
        const auto found = partOf.constFind(learner);
        if (found != partOf.constEnd()) {
            m_learnerRows[*found] << row;
            continue;
        }
        partOf.insert(learner, int(m_learnerRows.size()));
        m_learnerRows.append(QVector<int>{row});
    }
}

int crd_01Background::partCount() const
{
    return std::max(1, int(m_learnerRows.size()));
}

void crd_01Background::compose(ReportLayout &layout, int part) const
{
    if (m_learnerRows.isEmpty()) {
        layout.addNoRowsNotice();
        return;
    }
    const QVector<int> &rows = m_learnerRows.at(part);
    const qint64 learner = m_main.value(rows.first(), QStringLiteral("LearnerID")).toLongLong();
    layout.setSubject(QString());
    composeLearner(layout, rows.first());
    layout.setSubject(m_main.text(rows.first(), QStringLiteral("Learner")) + QStringLiteral("  ")
                      + m_main.text(rows.first(), QStringLiteral("AccessionNo")));
    QStringList additional;
    for (int row : rows) {
        const QString name = m_main.text(row, QStringLiteral("AddDisa"));
        if (!name.isEmpty() && !additional.contains(name))
            additional << name;
    }
    layout.addField(QStringLiteral("Additional barriers"), additional.join(QStringLiteral(", ")));
    composeDiagnostic(layout, m_diagnosticRows.value(learner));
    composeCriteria(layout, m_criteriaRows.value(learner));
}

void crd_01Background::composeLearner(ReportLayout &layout, int row) const
{
    auto text = [&](const char *name) { return m_main.text(row, QString::fromLatin1(name)); };
    layout.addHeading(text("Learner"));
    layout.addField(QStringLiteral("Accession No"), text("AccessionNo"));
    layout.addField(QStringLiteral("Grade"),
                    ReportTexts::codeName(text("Grade"), m_main.value(row, QStringLiteral("GradeID")), QStringLiteral("grade")));
    layout.addSpace(4);
    layout.addParagraph(QStringLiteral("Background information (") + m_year + QLatin1Char(')'), true);
    layout.addField(QStringLiteral("Nature of support received"), text("Nature_Of_Support_Received"));
    layout.addField(QStringLiteral("Responsible provider"), text("Name_Of_Provider"));
    layout.addField(QStringLiteral("Contact details"), text("Contact_Details"));
    layout.addField(QStringLiteral("Family situation"), text("Family_Situation"));
    layout.addField(QStringLiteral("Parent's understanding of the child"), text("Parent_Understanding_Of_Child"));
    layout.addField(QStringLiteral("Primary barrier"),
                    ReportTexts::codeName(text("PDisa"), m_main.value(row, QStringLiteral("PDisaID")), QStringLiteral("barrier")));
}

void crd_01Background::composeDiagnostic(ReportLayout &layout, const QVector<int> &rows) const
{
    layout.addSpace(6);
    layout.addParagraph(QStringLiteral("Diagnostic profile: health professional report (") + m_year + QLatin1Char(')'), true);
    if (rows.isEmpty() || !m_diagnostic.value(rows.first(), QStringLiteral("Data_Year")).isValid()) {
        layout.addParagraph(QStringLiteral("No health professional report is recorded for ") + m_year + QLatin1Char('.'));
        return;
    }
    const int first = rows.first();
    layout.addField(QStringLiteral("Date of birth"), m_diagnostic.text(first, QStringLiteral("BirthDate")));
    layout.addField(QStringLiteral("Disability"),
                    ReportTexts::codeName(m_diagnostic.text(first, QStringLiteral("Disability")),
                                          m_diagnostic.value(first, QStringLiteral("DisabilityID")), QStringLiteral("barrier")));
    layout.addField(QStringLiteral("Impairment type"),
                    ReportTexts::impairmentType(m_diagnostic.text(first, QStringLiteral("Impairment_Type"))));
    layout.addField(QStringLiteral("Medical record viewed"),
                    yesNo(m_diagnostic.value(first, QStringLiteral("Medical_Record_Viewed")).toLongLong() != 0));
    layout.addField(QStringLiteral("Medical record attached"),
                    yesNo(m_diagnostic.value(first, QStringLiteral("Medical_Record_Attached")).toLongLong() != 0));
    layout.addField(QStringLiteral("Comments"), m_diagnostic.text(first, QStringLiteral("Comments")));

    QVector<int> scored;
    for (int row : rows) {
        if (!m_diagnostic.text(row, QStringLiteral("Description")).isEmpty())
            scored << row;
    }
    if (scored.isEmpty()) {
        layout.addParagraph(QStringLiteral("No criteria scores are recorded."));
        return;
    }
    layout.beginTable({{QStringLiteral("Impairment area"), 3}, {QStringLiteral("Level (rounded mean score)"), 1.5}});
    for (int row : scored)
        layout.addRow({m_diagnostic.text(row, QStringLiteral("Description")), m_diagnostic.text(row, QStringLiteral("Score"))});
    layout.endTable();
}

void crd_01Background::composeCriteria(ReportLayout &layout, const QVector<int> &rows) const
{
    if (rows.isEmpty())
        return;
    layout.addSpace(6);
    layout.addParagraph(QStringLiteral("Diagnostic profile: criteria for selection (") + m_year + QLatin1Char(')'), true);
    layout.beginTable({{QStringLiteral("Impairment area"), 1.6}, {QStringLiteral("Activity"), 2.2},
                       {QStringLiteral("Score"), 0.6}, {QStringLiteral("Description"), 4}});
    for (int row : rows) {
        layout.addRow({m_criteria.text(row, QStringLiteral("AArea")), m_criteria.text(row, QStringLiteral("ADomain")),
                       m_criteria.text(row, QStringLiteral("Score")), chosenDescription(m_criteria, row)});
    }
    layout.endTable();
}
