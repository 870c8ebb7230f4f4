#include "ReportDesign.h"

#include "ReportLayout.h"
#include "ReportTexts.h"

namespace {

QString field(const Recordset &rows, int row, const char *name)
{
    return rows.text(row, QString::fromLatin1(name));
}

// Groups follow the store's sort, which ignores case.
bool sameGroup(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString gradeName(const Recordset &rows, int row)
{
    return ReportTexts::codeName(field(rows, row, "Name"), rows.value(row, QStringLiteral("GradeID")), QStringLiteral("grade"));
}

QString countLine(int count)
{
    return count == 1 ? QStringLiteral("1 learner") : QStringLiteral("%1 learners").arg(count);
}

} // namespace

void crdLearner_DisSum::compose(ReportLayout &layout, int /*part*/) const
{
    if (m_rows.isEmpty()) {
        layout.addNoRowsNotice();
        return;
    }
    // Rows arrive sorted by barrier, grade and surname: a heading opens each
    // barrier, and every row names its grade, so no row reads as "no grade".
    auto barrierOf = [this](int row) {
        return ReportTexts::codeName(field(m_rows, row, "Disability"), m_rows.value(row, QStringLiteral("DisabilityID")),
                                     QStringLiteral("barrier"));
    };
    QString barrier;
    for (int row = 0; row < m_rows.recordCount(); ++row) {
        const QString rowBarrier = barrierOf(row);
        if (row == 0 || !sameGroup(rowBarrier, barrier)) {
            if (row > 0)
                layout.endTable();
            int inBarrier = 0;
            for (int r = row; r < m_rows.recordCount() && sameGroup(barrierOf(r), rowBarrier); ++r)
                ++inBarrier;
            layout.addGroupHeading(QStringLiteral("Barrier: ") + rowBarrier + QStringLiteral("  (")
                                   + countLine(inBarrier) + QLatin1Char(')'));
            layout.beginTable({{QStringLiteral("Grade"), 1.5}, {QStringLiteral("Accession No"), 1},
                               {QStringLiteral("Surname"), 2}, {QStringLiteral("First Name"), 2}});
        }
        barrier = rowBarrier;
        layout.addRow({gradeName(m_rows, row), field(m_rows, row, "AccessionNo"), field(m_rows, row, "SName"),
                       field(m_rows, row, "FName")});
    }
    layout.endTable();
    layout.addParagraph(QStringLiteral("Total: ") + countLine(m_rows.recordCount()), true);
}

void crdLearner_ListProv::compose(ReportLayout &layout, int /*part*/) const
{
    if (m_rows.isEmpty()) {
        layout.addNoRowsNotice();
        return;
    }
    QString provider;
    for (int row = 0; row < m_rows.recordCount(); ++row) {
        const QString rowProvider = field(m_rows, row, "Name_Of_Provider");
        if (row == 0 || !sameGroup(rowProvider, provider)) {
            if (row > 0)
                layout.endTable();
            int inGroup = 0;
            for (int r = row; r < m_rows.recordCount() && sameGroup(field(m_rows, r, "Name_Of_Provider"), rowProvider); ++r)
                ++inGroup;
            const QString name = rowProvider.trimmed().isEmpty() ? QStringLiteral("(no provider recorded)") : rowProvider;
            layout.addGroupHeading(QStringLiteral("Responsible Provider: ") + name + QStringLiteral("  (")
                                   + countLine(inGroup) + QLatin1Char(')'));
            layout.beginTable({{QStringLiteral("Accession No"), 1}, {QStringLiteral("Surname"), 2},
                               {QStringLiteral("First Name"), 2}, {QStringLiteral("Grade"), 1.5}});
        }
        provider = rowProvider;
        layout.addRow({field(m_rows, row, "AccessionNo"), field(m_rows, row, "SName"), field(m_rows, row, "FName"),
                       gradeName(m_rows, row)});
    }
    layout.endTable();
    layout.addParagraph(QStringLiteral("Total: ") + countLine(m_rows.recordCount()), true);
}
