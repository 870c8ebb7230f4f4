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
        u"INSERT INTO SNE_Learner_Background_Info (LearnerID, Name_Of_Provider, Family_Situation, Data_Year) VALUES (%1, 'Clinic', 'Lives with gran', %2)"_s,
        u"INSERT INTO SNE_Learning_And_Development_Barriers (LearnerID, Learning, Data_Year) VALUES (%1, 'Reads slowly', %2)"_s,
        u"INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year) VALUES (%1, 'Small class', ' ', %2)"_s,
        u"INSERT INTO SNE_Factors_Community (LearnerID, Positive_Influence, Barrier, Data_Year) VALUES (%1, 'Church', ' ', %2)"_s,
        u"INSERT INTO SNE_Factors_School (LearnerID, Enabling_Factor, Barrier, Data_Year) VALUES (%1, 'Library', ' ', %2)"_s,
        u"INSERT INTO SNE_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, Data_Year) VALUES (%1, 2, 'Low', %2)"_s,
        u"INSERT INTO SNE_DBST_Review_ILST_Request (LearnerID, Parent_Reason, Data_Year) VALUES (%1, 'Agreed', %2)"_s,
        u"INSERT INTO SNE_DBST_Support_Strategy (LearnerID, Support_Needed, Support_Area, Data_Year) VALUES (%1, 'Reader', 3, %2)"_s,
        u"INSERT INTO SNE_Action_Review ([Action], LearnerID, Name, Data_Year) VALUES (1, %1, 'Mrs Naidoo', %2)"_s,
    };
    for (const QString &insert : inserts)
        school.store.exec(insert.arg(l, y));
}

int rowsIn(const School &school, const QString &table, int learner, int year)
{
    return school.store.count(table, u"LearnerID = %1 AND Data_Year = %2"_s.arg(learner).arg(year));
}

} // namespace

class tst_Append : public QObject
{
    Q_OBJECT

private slots:
    void copiesCurrentLearnersWithoutRowsThisYear()
    {
        School school;
        const int three = school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s);
        const int hasOne = school.learner(u"Botha"_s, u"Ben"_s, u"B1"_s);
        const int archived = school.learner(u"Cele"_s, u"Cat"_s, u"C1"_s, 2, 1, u"A"_s);
        for (int i = 0; i < 3; ++i)
            school.store.exec(u"INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year) "
                               "VALUES (%1, 'Factor %2', 'Barrier %2', %3)"_s.arg(three).arg(i).arg(LastYear));
        fillAllNine(school, hasOne, LastYear);
        school.store.exec(u"INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Data_Year) "
                           "VALUES (%1, 'Already this year', %2)"_s.arg(hasOne).arg(ThisYear));
        fillAllNine(school, archived, LastYear);
        school.store.exec(u"INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Data_Year) "
                           "VALUES (999, 'Learner the host no longer has', %1)"_s.arg(LastYear));

        QVERIFY(AppendPreviousYear(ThisYear));
        // Three for Adams, eight for Botha (every table but the classroom factors).
        QCOMPARE(school.boxes.texts(), QStringList{u"Append Complete: 11 Rows Affected"_s});
        QCOMPARE(school.boxes.last().title, u"User Message"_s);
        QCOMPARE(rowsIn(school, u"SNE_Factors_Classroom"_s, three, ThisYear), 3);
        QCOMPARE(rowsIn(school, u"SNE_Factors_Classroom"_s, hasOne, ThisYear), 1);
        QCOMPARE(rowsIn(school, u"SNE_Factors_School"_s, hasOne, ThisYear), 1);
        QCOMPARE(school.store.count(u"SNE_Learner_Background_Info"_s, u"LearnerID = %1"_s.arg(archived)), 1);
        QCOMPARE(school.store.count(u"SNE_Factors_Classroom"_s, u"LearnerID = 999"_s), 1);
        QVERIFY(!QGuiApplication::overrideCursor());

        // Running it again copies nothing twice.
        school.boxes.clear();
        QVERIFY(AppendPreviousYear(ThisYear));
        QCOMPARE(school.boxes.texts(), QStringList{u"Append Complete: 0 Rows Affected"_s});
        QCOMPARE(rowsIn(school, u"SNE_Factors_Classroom"_s, three, ThisYear), 3);
        // The learner-and-year lookup the copy makes per row has an index in each
        // table (the table check's, one per data table), never a second one.
        QCOMPARE(school.store.count(u"sqlite_master"_s, u"type = 'index' AND sql LIKE '%([LearnerID], [Data_Year])'"_s), 18);
    }

    void copiesEveryColumnExactly()
    {
        School school;
        const int learner = school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s);
        school.store.exec(u"INSERT INTO SNE_DBST_Support_Strategy (LearnerID, Support_Needed, Support_Area, "
                           "Support_Level, School_Steps, Budget, Review_Date, Data_Year) VALUES (%1, "
                           "'Reader''s aid \"large\" – Zoë', 7, 'H', 'Line one\r\nLine two', 'R 1 200', "
                           "'2025-11-30', %2)"_s.arg(learner).arg(LastYear));
        auto connection = school.store.connect();
        const QString statement = PreviousYearAppend::statement(*connection, u"SNE_DBST_Support_Strategy"_s, ThisYear);
        QVERIFY(statement.startsWith(u"INSERT INTO SNE_DBST_Support_Strategy ([LearnerID],[Support_Needed],"_s));
        QVERIFY(statement.contains(u"[Tbl].[Review_Date],2026 As [Data_Year] FROM SNE_DBST_Support_Strategy AS [Tbl]"_s));
        QVERIFY(!statement.contains(u"([ID],"_s));
        QVERIFY(!statement.contains(u"[Tbl].[ID],"_s));
        QCOMPARE(connection->execute(statement), 1);
        const Recordset copy = connection->query(u"SELECT * FROM SNE_DBST_Support_Strategy WHERE Data_Year = 2026"_s);
        QCOMPARE(copy.recordCount(), 1);
        QCOMPARE(copy.text(0, u"Support_Needed"_s), u"Reader's aid \"large\" – Zoë"_s);
        QCOMPARE(copy.text(0, u"School_Steps"_s), u"Line one\r\nLine two"_s);
        QCOMPARE(copy.text(0, u"Review_Date"_s), u"2025-11-30"_s);
        QCOMPARE(copy.value(0, u"Support_Area"_s).toInt(), 7);
        QCOMPARE(copy.value(0, u"ID"_s).toInt(), 2);
    }

    void warningComesFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("copied");
        QTest::newRow("Yes copies") << int(MsgCode::AnswerYes) << 9;
        QTest::newRow("No copies nothing") << int(MsgCode::AnswerNo) << 0;
        QTest::newRow("Enter takes the default, No") << -1 << 0;
    }
    void warningComesFirst()
    {
        QFETCH(int, answer);
        QFETCH(int, copied);
        School school;
        const int year = QDate::currentDate().year();
        const int learner = school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s);
        fillAllNine(school, learner, year - 1);
        frmSelectLearner screen;
        if (answer >= 0)
            school.boxes.answerNext(answer);
        screen.button(u"cmdRoll"_s)->click();

        const QString warning =
            u"When appending SIAS information from %1 to %2, the following sections \r\n"
            "will not be brought over as learners must be re-evaluated and information might change.\r\n\r\n"
            "Stage 1:    DP Diagnostic Profile\r\n\r\n"
            "Stage 2:    ISP: Individual Support Plan\r\n\r\n"
            "Stage 3:    Section 3a: Assessment of support requirements\r\n\r\n"
            "Please remember to update the rolled over sections where information has changed and \r\n"
            "complete the outstanding section information.\r\n\r\nAppend?"_s.arg(year - 1).arg(year);
        QVERIFY(school.boxes.count() >= 1);
        const MessageBoxCall asked = school.boxes.calls().first();
        QCOMPARE(asked.text, warning);
        QCOMPARE(asked.title, u"User Warning"_s);
        QCOMPARE(asked.buttons, MsgCode::YesNo + MsgCode::DefaultButton2);
        QCOMPARE(school.store.count(u"SNE_Action_Review"_s, u"Data_Year = %1"_s.arg(year)), copied / 9);
        if (copied > 0)
            QCOMPARE(school.boxes.last().text, u"Append Complete: 9 Rows Affected"_s);
        else
            QCOMPARE(school.boxes.count(), 1);
    }

    void failureHalfWayThenSecondRun()
    {
        School school;
        QVector<int> learners;
        for (int i = 0; i < 3; ++i) {
            learners << school.learner(u"Learner%1"_s.arg(i), u"First"_s, u"L%1"_s.arg(i));
            fillAllNine(school, learners.last(), LastYear);
        }
        // The fifth table refuses its rows.
        school.store.failWritesTo(u"SNE_Factors_School"_s);
        QVERIFY(!AppendPreviousYear(ThisYear));
        QCOMPARE(school.boxes.count(), 1);
        QVERIFY(school.boxes.last().title.startsWith(u"Error : "_s));
        QVERIFY(school.boxes.sawText(u"Location: frmSelectLearner"_s));
        QVERIFY(school.boxes.sawText(u"Procedure: AppendInfo"_s));
        QVERIFY(school.boxes.sawText(u"writes to SNE_Factors_School refused"_s));
        QVERIFY(!QGuiApplication::overrideCursor());
        // The four tables copied before the refusal are rolled back with it.
        const QStringList &tables = PreviousYearAppend::tables();
        for (const QString &table : tables)
            QCOMPARE(school.store.count(table, u"Data_Year = %1"_s.arg(ThisYear)), 0);

        school.store.allowWritesTo(u"SNE_Factors_School"_s);
        school.boxes.clear();
        QVERIFY(AppendPreviousYear(ThisYear));
        QCOMPARE(school.boxes.texts(), QStringList{u"Append Complete: 27 Rows Affected"_s});
        for (const QString &table : tables) {
            for (int learner : learners)
                QCOMPARE(rowsIn(school, table, learner, ThisYear), 1);
        }
    }

    void countIsNotSixteenBit()
    {
        School school;
        const int learner = school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s);
        // More rows than a 16-bit count holds, spread over the nine tables (the
        // copy compares each row with its whole table, so one big table is slow).
        const QStringList &tables = PreviousYearAppend::tables();
        for (const QString &table : tables) {
            school.store.exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3650) "
                               "INSERT INTO %1 (LearnerID, Data_Year) SELECT %2, %3 FROM n"_s
                                  .arg(table).arg(learner).arg(LastYear));
        }
        QVERIFY(AppendPreviousYear(ThisYear));
        QCOMPARE(school.boxes.texts(), QStringList{u"Append Complete: 32850 Rows Affected"_s});
    }
};

QTEST_MAIN(tst_Append)
#include "tst_append.moc"
