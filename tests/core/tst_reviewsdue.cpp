// Review dates read in every stored form, grouped from a fixed day; the
// year's list read from the store; the spreadsheet text.

#include "CsvText.h"
#include "ReviewDate.h"
#include "ReviewsDue.h"
#include "ReviewsSchool.h"

#include <QtTest>

using ReviewDate::Group;

class TestReviewsDue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsEachFormIntoItsGroup_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("group");
        // Today is Tuesday 10 March 2026.
        QTest::newRow("dd/MM/yyyy, yesterday") << "09/03/2026" << QDate(2026, 3, 9) << "overdue";
        QTest::newRow("dd/MM/yyyy, today") << "10/03/2026" << QDate(2026, 3, 10) << "due within 7 days";
        QTest::newRow("dd/MM/yyyy, 7 days on") << "17/03/2026" << QDate(2026, 3, 17) << "due within 7 days";
        QTest::newRow("yyyy-MM-dd, 8 days on") << "2026-03-18" << QDate(2026, 3, 18) << "due within 30 days";
        QTest::newRow("dd-MM-yyyy, 30 days on") << "09-04-2026" << QDate(2026, 4, 9) << "due within 30 days";
        QTest::newRow("dd-MM-yyyy, 31 days on") << "10-04-2026" << QDate(2026, 4, 10) << "later";
        QTest::newRow("d/M/yy") << "9/3/26" << QDate(2026, 3, 9) << "overdue";
        QTest::newRow("d/M/yy, last century") << "1/1/99" << QDate(1999, 1, 1) << "overdue";
        QTest::newRow("d/M/yyyy") << "1/5/2026" << QDate(2026, 5, 1) << "later";
        QTest::newRow("yyyy-M-d") << "2026-3-9" << QDate(2026, 3, 9) << "overdue";
        QTest::newRow("ISO with time") << "2026-03-10 14:30:00" << QDate(2026, 3, 10) << "due within 7 days";
        QTest::newRow("ISO with T") << "2026-03-11T08:00:00.000" << QDate(2026, 3, 11) << "due within 7 days";
        QTest::newRow("dd/MM/yyyy with time") << "17/03/2026 09:15" << QDate(2026, 3, 17) << "due within 7 days";
        QTest::newRow("d/M/yy with 12-hour time") << "2/4/26 2:30 PM" << QDate(2026, 4, 2) << "due within 30 days";
        QTest::newRow("blanks around") << "  12/03/2026 " << QDate(2026, 3, 12) << "due within 7 days";
        QTest::newRow("empty") << "" << QDate() << "no review date set";
        QTest::newRow("blanks only") << "   " << QDate() << "no review date set";
        QTest::newRow("words") << "next term" << QDate() << "date not readable";
        QTest::newRow("question mark") << "?" << QDate() << "date not readable";
        QTest::newRow("no such day") << "31/02/2026" << QDate() << "date not readable";
        QTest::newRow("no such month") << "2026-13-01" << QDate() << "date not readable";
        QTest::newRow("mixed separators") << "12/03-2026" << QDate() << "date not readable";
        QTest::newRow("month and year only") << "03/2026" << QDate() << "date not readable";
        QTest::newRow("date and words") << "12/03/2026 after lunch" << QDate() << "date not readable";
        QTest::newRow("three-digit year") << "12/03/202" << QDate() << "date not readable";
    }
    void readsEachFormIntoItsGroup()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QFETCH(QString, group);
        QCOMPARE(ReviewDate::read(text), date);
        QCOMPARE(ReviewDate::groupTitle(ReviewDate::groupOf(text, QDate(2026, 3, 10))), group);
    }

    void quotesSpreadsheetFieldsOnlyWhereNeeded()
    {
        QCOMPARE(CsvText::record({QStringLiteral("plain"), QStringLiteral("a, b"), QStringLiteral("say \"hi\""),
                                  QStringLiteral("two\r\nlines"), QStringLiteral("one\nline"), QString(),
                                  QStringLiteral("Ñandú café")}),
                 QByteArray("plain,\"a, b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"one\nline\",,\xC3\x91" "and\xC3\xBA caf\xC3\xA9\r\n"));
    }

    void listsTheYearsActionsOfCurrentLearnersByGroup()
    {
        ReviewsSchool school;
        const ReviewsDueList list = ReviewsDue::load(*school.store.connect(), ReviewsSchool::Year, ReviewsSchool::today());
        // Overdue 1, within 7 days 1, within 30 days 1, later 30, no date 1,
        // unreadable 1: the archived learner and the 2025 action are left out.
        QCOMPARE(list.counts(), (std::array<int, 6>{1, 1, 1, 30, 1, 1}));
        QCOMPARE(list.countsLine(), QStringLiteral("overdue: 1   due within 7 days: 1   due within 30 days: 1   "
                                                   "later: 30   no review date set: 1   date not readable: 1"));
        QCOMPARE(ReviewsDue::columns(list.lines.at(0)),
                 QStringList({"ADAMS Zoe", "A-001", "Grade 4", "Action 1", "Reads aloud daily", "Ms Dube",
                              "09/03/2026", "20/02/2026"}));
        QCOMPARE(ReviewsDue::columns(list.lines.at(2)),
                 QStringList({"BROWN Sam", "B-002", "Grade 5", "Action 2", "Educator workshop", "Mrs Khumalo",
                              "18/03/2026", ""}));
        // All thirty dated lines of one learner, in date order.
        QCOMPARE(list.lines.at(3).reviewShown(), QStringLiteral("11/04/2026"));
        QCOMPARE(list.lines.at(32).reviewShown(), QStringLiteral("10/05/2026"));
        QCOMPARE(list.lines.at(32).learnerName, QStringLiteral("DLAMINI Thabo"));
        QCOMPARE(ReviewsDue::columns(list.lines.at(33)).mid(3, 4),
                 QStringList({"Action 5", "DBST visit", "", ""}));
        QCOMPARE(list.lines.at(34).reviewShown(), QStringLiteral("next term"));
        QCOMPARE(list.lines.at(34).group, Group::Unreadable);
    }

    void withinKeepsOverdueDueSoonAndUndatedOnes()
    {
        ReviewsSchool school;
        const ReviewsDueList all = ReviewsDue::load(*school.store.connect(), ReviewsSchool::Year, ReviewsSchool::today());
        QCOMPARE(all.within(7).counts(), (std::array<int, 6>{1, 1, 0, 0, 1, 1}));
        QCOMPARE(all.within(8).counts(), (std::array<int, 6>{1, 1, 1, 0, 1, 1}));
        // 11/04/2026 is 32 days on, 10/05/2026 61.
        QCOMPARE(all.within(32).counts(), (std::array<int, 6>{1, 1, 1, 1, 1, 1}));
        QCOMPARE(all.within(61).counts(), (std::array<int, 6>{1, 1, 1, 30, 1, 1}));
    }

};

QTEST_GUILESS_MAIN(TestReviewsDue)
#include "tst_reviewsdue.moc"
