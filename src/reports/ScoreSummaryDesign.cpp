#include "ReportDesign.h"

#include "ReportLayout.h"
#include "ReportTexts.h"

namespace {

// Headings of the domain and area columns, with the legend's full names.
struct Heading
{
    QString shortText;
    QString fullText;
};

const QVector<Heading> &domainHeadings()
{
    static const QVector<Heading> headings = {
        {QStringLiteral("Mobility"), QStringLiteral("Mobility")},
        {QStringLiteral("Self-care"), QStringLiteral("Self-care")},
        {QStringLiteral("Commun."), QStringLiteral("Communication")},
        {QStringLiteral("Vision"), QStringLiteral("Vision")},
        {QStringLiteral("Hearing"), QStringLiteral("Hearing")},
        {QStringLiteral("Mental"), QStringLiteral("Mental-psychiatric diagnosis")},
        {QStringLiteral("Cognition"), QStringLiteral("Cognition")},
        {QStringLiteral("Health"), QStringLiteral("Health care needs")},
    };
    return headings;
}

const QVector<Heading> &areaHeadings()
{
    static const QVector<Heading> headings = {
        {QStringLiteral("Staff"), QStringLiteral("Staff")},
        {QStringLiteral("HRD"), QStringLiteral("Human resource development")},
        {QStringLiteral("Devices"), QStringLiteral("Assistive devices")},
        {QStringLiteral("Curr./Ass."), QStringLiteral("Curriculum and assessment")},
        {QStringLiteral("Access"), QStringLiteral("Environmental access")},
    };
    return headings;
}

QString ratingText(const QVariant &rating)
{
    return rating.isValid() ? QString::number(rating.toLongLong()) : QString();
}

} // namespace

void crdLearnerScoreSummary::compose(ReportLayout &layout, int /*part*/) const
{
    if (m_rows.isEmpty()) {
        layout.addNoRowsNotice();
        return;
    }
    QVector<QStringList> table;
    for (const ScoreSummaryRow &row : m_rows) {
        QStringList cells = {ReportTexts::codeName(m_gradeNames.value(row.Grade), row.Grade, QStringLiteral("grade")),
                             row.SName, row.FName, row.AccessionNo};
        for (const QString &word : row.domains)
            cells << word;
        for (const QVariant &rating : row.ratings)
            cells << ratingText(rating);
        table << cells;
    }
    QVector<ReportLayout::Column> columns = {
        {QStringLiteral("Grade"), 1.3}, {QStringLiteral("Surname"), 1.6}, {QStringLiteral("First Name"), 1.4},
        {QStringLiteral("Accession No"), 1.1}};
    for (const Heading &heading : domainHeadings())
        columns.append({heading.shortText, 1});
    for (const Heading &heading : areaHeadings())
        columns.append({heading.shortText, 0.75});
    // Each column is sized for the longest word it holds: "MODERATE" is
    // never broken.
    for (int c = 0; c < columns.size(); ++c) {
        QStringList texts;
        for (const QStringList &cells : table)
            texts << cells.at(c);
        columns[c].widest = texts.join(QLatin1Char(' '));
    }
    layout.beginTable(columns);
    for (const QStringList &cells : table)
        layout.addRow(cells);
    layout.endTable();

    layout.addHeading(QStringLiteral("Legend"));
    QStringList domains;
    for (const Heading &heading : domainHeadings())
        domains << heading.shortText + QStringLiteral(" = ") + heading.fullText;
    layout.addField(QStringLiteral("Activity domains"), domains.join(QStringLiteral("; ")));
    layout.addField(QStringLiteral("Domain level"),
                    QStringLiteral("MILD, MODERATE or SEVERE when the mean of the domain's criteria scores is exactly "
                                   "1, 2 or 3 (scores 1 and 3 average 2: MODERATE); N/A when the domain has no scores "
                                   "or their mean lies between two whole numbers (scores 1 and 2: N/A)"));
    QStringList areas;
    for (const Heading &heading : areaHeadings())
        areas << heading.shortText + QStringLiteral(" = ") + heading.fullText;
    layout.addField(QStringLiteral("Support areas"), areas.join(QStringLiteral("; ")));
    layout.addField(QStringLiteral("Rating"), QStringLiteral("the overall support rating of the area; 0 when none is recorded"));
}
