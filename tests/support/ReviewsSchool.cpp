#include "ReviewsSchool.h"

namespace {
QString quoted(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}
}

ReviewsSchool::ReviewsSchool()
{
    store.exec(QStringLiteral("INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) "
                              "VALUES ('Hillview Primary', 'North', 'C1', '500123456')"));
    store.exec(QStringLiteral("INSERT INTO SchoolGrades (ID, Name) VALUES (1, 'Grade 4'), (2, 'Grade 5')"));
    adams = store.addLearner(QStringLiteral("Adams"), QStringLiteral("Zoe"), QStringLiteral("C"), 2, QString(), 1,
                             QStringLiteral("A-001"));
    brown = store.addLearner(QStringLiteral("Brown"), QStringLiteral("Sam"), QStringLiteral("C"), 3, QString(), 2,
                             QStringLiteral("B-002"));
    carter = store.addLearner(QStringLiteral("Carter"), QStringLiteral("Ann"), QStringLiteral("A"), 2, QString(), 1,
                              QStringLiteral("C-003"));
    dlamini = store.addLearner(QStringLiteral("Dlamini"), QStringLiteral("Thabo"), QStringLiteral("C"), 2, QString(),
                               1, QStringLiteral("D-004"));

    addAction(adams, 1, QStringLiteral("Reads aloud daily\r\nwith a partner"), QStringLiteral("Ms Dube"),
              QStringLiteral("09/03/2026"));
    addAction(adams, 3, QStringLiteral("Fractions, \"halves\" and quarters"), QStringLiteral("Mr O'Neil"),
              QStringLiteral("17/03/2026"));
    addAction(adams, 5, QStringLiteral("DBST visit"), QStringLiteral(" "), QString());
    addAction(brown, 2, QStringLiteral("Educator workshop"), QStringLiteral("Mrs Khumalo"), QStringLiteral("2026-03-18"));
    addAction(brown, 4, QStringLiteral("Meet the parents"), QStringLiteral("Mr Botha"), QStringLiteral("next term"));
    addAction(brown, 4, QStringLiteral("Last year's meeting"), QStringLiteral("Mr Botha"), QStringLiteral("01/03/2025"),
              2025);
    addAction(carter, 1, QStringLiteral("Archived learner's action"), QStringLiteral("Ms Dube"),
              QStringLiteral("01/03/2026"));
    for (int i = 0; i < 30; ++i)
        addAction(dlamini, 3, QStringLiteral("Support line %1").arg(i + 1), QStringLiteral("Mr Nkosi"),
                  QDate(2026, 4, 11).addDays(i).toString(QStringLiteral("dd/MM/yyyy")));

    const QStringList reviews = {QStringLiteral("01/02/2026"), QStringLiteral("2026-02-20"), QStringLiteral("2026-04-01")};
    for (int line = 1; line <= reviews.size(); ++line)
        store.exec(QStringLiteral("INSERT INTO SNE_Action_Review (LearnerID, [Action], Name, Outcome, Designation, "
                                  "Review_Date, Data_Year) VALUES (%1, %2, 'Ms Dube', 'Progress', 'HOD', '%3', %4)")
                       .arg(adams).arg(line).arg(reviews.at(line - 1)).arg(Year));
}

void ReviewsSchool::addAction(int learner, int action, const QString &target, const QString &person,
                              const QString &date, int year) const
{
    store.exec(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, [Action], Target, Strategy, Achievement_Criteria, "
                              "Person_Responsible, Review_Date, Review_Comments, Data_Year) "
                              "VALUES (%1, %2, %3, ' ', ' ', %4, %5, ' ', %6)")
                   .arg(learner).arg(action).arg(quoted(target), quoted(person), quoted(date)).arg(year));
}
