// The append of last year's information: what is copied and what is not, the
// question before it, the count after it, and a failure half way (nothing
// copied) followed by a second run.
#include "PreviousYearAppend.h"
#include "ReportFixture.h"
#include "SelectLearner.h"

#include <QDate>
#include <QGuiApplication>
#include <QPushButton>
#include <QtTest>

using namespace reports;

namespace {

// One row in each of the nine tables for a learner and year.
void fillAllNine(const School &school, int learner, int year)
{
    const QString l = QString::number(learner);
    const QString y = QString::number(year);
    const QStringList inserts = {
        QStringLiteral("INSERT INTO SNE_Learner_Background_Info (LearnerID, Name_Of_Provider, Family_Situation, Data_Year) VALUES (%1, 'Clinic', 'Lives with gran', %2)"),
        QStringLiteral("INSERT INTO SNE_Learning_And_Development_Barriers (LearnerID, Learning, Data_Year) VALUES (%1, 'Reads slowly', %2)"),
        QStringLiteral("INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year) VALUES (%1, 'Small class', ' ', %2)"),
        QStringLiteral("INSERT INTO SNE_Factors_Community (LearnerID, Positive_Influence, Barrier, Data_Year) VALUES (%1, 'Church', ' ', %2)"),
        QStringLiteral("INSERT INTO SNE_Factors_School (LearnerID, Enabling_Factor, Barrier, Data_Year) VALUES (%1, 'Library', ' ', %2)"),
        QStringLiteral("INSERT INTO SNE_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, Data_Year) VALUES (%1, 2, 'Low', %2)"),
        QStringLiteral("INSERT INTO SNE_DBST_Review_ILST_Request (LearnerID, Parent_Reason, Data_Year) VALUES (%1, 'Agreed', %2)"),
        QStringLiteral("INSERT INTO SNE_DBST_Support_Strategy (LearnerID, Support_Needed, Support_Area, Data_Year) VALUES (%1, 'Reader', 3, %2)"),
        QStringLiteral("INSERT INTO SNE_Action_Review ([Action], LearnerID, Name, Data_Year) VALUES (1, %1, 'Mrs Naidoo', %2)"),
    };
    for (const QString &insert : inserts)
        school.store.exec(insert.arg(l, y));
}

int rowsIn(const School &school, const QString &table, int learner, int year)
{
    return school.store.count(table, QStringLiteral("LearnerID = %1 AND Data_Year = %2").arg(learner).arg(year));
}

} // namespace

class tst_Append : public QObject
{
    Q_OBJECT

private slots:
    void copiesCurrentLearnersWithoutRowsThisYear();
    void copiesEveryColumnExactly();
    void warningComesFirst_data();
    void warningComesFirst();
    void failureHalfWayThenSecondRun();
    void countIsNotSixteenBit();
};

void tst_Append::copiesCurrentLearnersWithoutRowsThisYear()
{
    School school;
    const int three = school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"));
    const int hasOne = school.learner(QStringLiteral("Botha"), QStringLiteral("Ben"), QStringLiteral("B1"));
    const int archived = school.learner(QStringLiteral("Cele"), QStringLiteral("Cat"), QStringLiteral("C1"), 2, 1,
                                        QStringLiteral("A"));
    for (int i = 0; i < 3; ++i)
        school.store.exec(QStringLiteral("INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year) "
                                         "VALUES (%1, 'Factor %2', 'Barrier %2', %3)").arg(three).arg(i).arg(LastYear));
    fillAllNine(school, hasOne, LastYear);
    school.store.exec(QStringLiteral("INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Data_Year) "
                                     "VALUES (%1, 'Already this year', %2)").arg(hasOne).arg(ThisYear));
    fillAllNine(school, archived, LastYear);
    school.store.exec(QStringLiteral("INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Data_Year) "
                                     "VALUES (999, 'Learner the host no longer has', %1)").arg(LastYear));

    QVERIFY(AppendPreviousYear(ThisYear));
    // Three for Adams, eight for Botha (every table but the classroom factors).
    QCOMPARE(school.boxes.texts(), QStringList{QStringLiteral("Append Complete: 11 Rows Affected")});
    QCOMPARE(school.boxes.last().title, QStringLiteral("User Message"));
    QCOMPARE(rowsIn(school, QStringLiteral("SNE_Factors_Classroom"), three, ThisYear), 3);
    QCOMPARE(rowsIn(school, QStringLiteral("SNE_Factors_Classroom"), hasOne, ThisYear), 1);
    QCOMPARE(rowsIn(school, QStringLiteral("SNE_Factors_School"), hasOne, ThisYear), 1);
    QCOMPARE(school.store.count(QStringLiteral("SNE_Learner_Background_Info"),
                                QStringLiteral("LearnerID = %1").arg(archived)), 1);
    QCOMPARE(school.store.count(QStringLiteral("SNE_Factors_Classroom"), QStringLiteral("LearnerID = 999")), 1);
    QVERIFY(!QGuiApplication::overrideCursor());

    // Running it again copies nothing twice.
    school.boxes.clear();
    QVERIFY(AppendPreviousYear(ThisYear));
    QCOMPARE(school.boxes.texts(), QStringList{QStringLiteral("Append Complete: 0 Rows Affected")});
    QCOMPARE(rowsIn(school, QStringLiteral("SNE_Factors_Classroom"), three, ThisYear), 3);
    // The learner-and-year lookup the copy makes per row has an index in each
    // table (the table check's, one per data table), never a second one.
    QCOMPARE(school.store.count(QStringLiteral("sqlite_master"),
                                QStringLiteral("type = 'index' AND sql LIKE '%([LearnerID], [Data_Year])'")), 18);
}

void tst_Append::copiesEveryColumnExactly()
{
    School school;
    const int learner = school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"));
    school.store.exec(QStringLiteral("INSERT INTO SNE_DBST_Support_Strategy (LearnerID, Support_Needed, Support_Area, "
                                     "Support_Level, School_Steps, Budget, Review_Date, Data_Year) VALUES (%1, "
                                     "'Reader''s aid \"large\" – Zoë', 7, 'H', 'Line one\r\nLine two', 'R 1 200', "
                                     "'2025-11-30', %2)").arg(learner).arg(LastYear));
    auto connection = school.store.connect();
    const QString statement = PreviousYearAppend::statement(*connection, QStringLiteral("SNE_DBST_Support_Strategy"), ThisYear);
    QVERIFY(statement.startsWith(QStringLiteral("INSERT INTO SNE_DBST_Support_Strategy ([LearnerID],[Support_Needed],")));
    QVERIFY(statement.contains(QStringLiteral("[Tbl].[Review_Date],2026 As [Data_Year] FROM SNE_DBST_Support_Strategy AS [Tbl]")));
    QVERIFY(!statement.contains(QStringLiteral("([ID],")));
    QVERIFY(!statement.contains(QStringLiteral("[Tbl].[ID],")));
    QCOMPARE(connection->execute(statement), 1);
    const Recordset copy = connection->query(QStringLiteral("SELECT * FROM SNE_DBST_Support_Strategy WHERE Data_Year = 2026"));
    QCOMPARE(copy.recordCount(), 1);
    QCOMPARE(copy.text(0, QStringLiteral("Support_Needed")), QStringLiteral("Reader's aid \"large\" – Zoë"));
    QCOMPARE(copy.text(0, QStringLiteral("School_Steps")), QStringLiteral("Line one\r\nLine two"));
    QCOMPARE(copy.text(0, QStringLiteral("Review_Date")), QStringLiteral("2025-11-30"));
    QCOMPARE(copy.value(0, QStringLiteral("Support_Area")).toInt(), 7);
    QCOMPARE(copy.value(0, QStringLiteral("ID")).toInt(), 2);
}

void tst_Append::warningComesFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("copied");
    QTest::newRow("Yes copies") << int(MsgCode::AnswerYes) << 9;
    QTest::newRow("No copies nothing") << int(MsgCode::AnswerNo) << 0;
    QTest::newRow("Enter takes the default, No") << -1 << 0;
}

void tst_Append::warningComesFirst()
{
    QFETCH(int, answer);
    QFETCH(int, copied);
    School school;
    const int year = QDate::currentDate().year();
    const int learner = school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"));
    fillAllNine(school, learner, year - 1);
    frmSelectLearner screen;
    if (answer >= 0)
        school.boxes.answerNext(answer);
    screen.button(QStringLiteral("cmdRoll"))->click();

    const QString crlf = QStringLiteral("\r\n");
    const QString warning = QStringLiteral("When appending SIAS information from %1 to %2, the following sections ").arg(year - 1).arg(year)
        + crlf + QStringLiteral("will not be brought over as learners must be re-evaluated and information might change.")
        + crlf + crlf + QStringLiteral("Stage 1:    DP Diagnostic Profile") + crlf + crlf
        + QStringLiteral("Stage 2:    ISP: Individual Support Plan") + crlf + crlf
        + QStringLiteral("Stage 3:    Section 3a: Assessment of support requirements") + crlf + crlf
        + QStringLiteral("Please remember to update the rolled over sections where information has changed and ") + crlf
        + QStringLiteral("complete the outstanding section information.") + crlf + crlf + QStringLiteral("Append?");
    QVERIFY(school.boxes.count() >= 1);
    const MessageBoxCall asked = school.boxes.calls().first();
    QCOMPARE(asked.text, warning);
    QCOMPARE(asked.title, QStringLiteral("User Warning"));
    QCOMPARE(asked.buttons, MsgCode::YesNo + MsgCode::DefaultButton2);
    QCOMPARE(school.store.count(QStringLiteral("SNE_Action_Review"), QStringLiteral("Data_Year = %1").arg(year)), copied / 9);
    if (copied > 0)
        QCOMPARE(school.boxes.last().text, QStringLiteral("Append Complete: 9 Rows Affected"));
    else
        QCOMPARE(school.boxes.count(), 1);
}

void tst_Append::failureHalfWayThenSecondRun()
{
    School school;
    QVector<int> learners;
    for (int i = 0; i < 3; ++i) {
        learners << school.learner(QStringLiteral("Learner%1").arg(i), QStringLiteral("First"), QStringLiteral("L%1").arg(i));
        fillAllNine(school, learners.last(), LastYear);
    }
    // The fifth table refuses its rows.
    school.store.failWritesTo(QStringLiteral("SNE_Factors_School"));
    QVERIFY(!AppendPreviousYear(ThisYear));
    QCOMPARE(school.boxes.count(), 1);
    QVERIFY(school.boxes.last().title.startsWith(QStringLiteral("Error : ")));
    QVERIFY(school.boxes.sawText(QStringLiteral("Location: frmSelectLearner")));
    QVERIFY(school.boxes.sawText(QStringLiteral("Procedure: AppendInfo")));
    QVERIFY(school.boxes.sawText(QStringLiteral("writes to SNE_Factors_School refused")));
    QVERIFY(!QGuiApplication::overrideCursor());
    // The four tables copied before the refusal are rolled back with it.
    const QStringList &tables = PreviousYearAppend::tables();
    for (const QString &table : tables)
        QCOMPARE(school.store.count(table, QStringLiteral("Data_Year = %1").arg(ThisYear)), 0);

    school.store.allowWritesTo(QStringLiteral("SNE_Factors_School"));
    school.boxes.clear();
    QVERIFY(AppendPreviousYear(ThisYear));
    QCOMPARE(school.boxes.texts(), QStringList{QStringLiteral("Append Complete: 27 Rows Affected")});
    for (const QString &table : tables) {
        for (int learner : learners)
            QCOMPARE(rowsIn(school, table, learner, ThisYear), 1);
    }
}

void tst_Append::countIsNotSixteenBit()
{
    School school;
    const int learner = school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"));
    // More rows than a 16-bit count holds, spread over the nine tables (the
    // copy compares each row with its whole table, so one big table is slow).
    const QStringList &tables = PreviousYearAppend::tables();
    for (const QString &table : tables) {
        school.store.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3650) "
                                         "INSERT INTO %1 (LearnerID, Data_Year) SELECT %2, %3 FROM n")
                              .arg(table).arg(learner).arg(LastYear));
    }
    QVERIFY(AppendPreviousYear(ThisYear));
    QCOMPARE(school.boxes.texts(), QStringList{QStringLiteral("Append Complete: 32850 Rows Affected")});
}

QTEST_MAIN(tst_Append)
#include "tst_append.moc"
