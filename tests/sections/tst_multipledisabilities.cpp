// The additional-disabilities window: stored ticks, K number and date, the
// primary that is never stored, saving in one transaction, and leaving with
// unsaved changes.
#include "ChangeFlag.h"
#include "MultipleDisabilities.h"
#include "ScreenTestKit.h"

#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

class TestMultipleDisabilities : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    void storeRows(const QList<int> &codes, const QString &kNumber, const QString &date)
    {
        for (int code : codes)
            fx->store.exec(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) "
                                          "VALUES (%1, %2, '%3', '%4')").arg(learner).arg(code)
                               .arg(QString(kNumber).replace(QLatin1Char('\''), QStringLiteral("''")), date));
    }

    // The learner's stored rows as "code|Knumber|Testdate", in code order.
    QStringList storedRows()
    {
        return fx->store.scalar(QStringLiteral("SELECT group_concat(DisabilityID || '|' || Knumber || '|' || Testdate, '\n') "
                                               "FROM (SELECT * FROM MultipleDisabilities WHERE LearnerID = %1 "
                                               "ORDER BY DisabilityID)").arg(learner))
            .toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    std::unique_ptr<frmMultipleDisabilities> open()
    {
        auto window = std::make_unique<frmMultipleDisabilities>();
        window->setPrimary(QStringLiteral("Hearing impairment"));   // code 2
        window->loadData();
        return window;
    }

    static QList<int> ticked(const frmMultipleDisabilities &window)
    {
        QList<int> codes;
        for (int code = 1; code <= 13; ++code)
            if (window.itemForCode(code)->checkState(0) == Qt::Checked)
                codes << code;
        return codes;
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(true);
        learner = fx->store.addLearner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"));
        fx->store.pickLearner(learner, 2014);
    }
    void cleanup() { fx.reset(); }

    // Opens on the stored rows, changes the ticks, saves, and opens again.
    void ticksRoundTrip_data()
    {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<QString>("storedK");
        QTest::addColumn<QDate>("storedDate");
        QTest::addColumn<QList<int>>("shown");
        QTest::addColumn<QList<int>>("toggled");
        QTest::addColumn<QString>("kNumber");
        QTest::addColumn<QList<int>>("saved");
        QTest::newRow("nothing stored, two ticked") << QList<int>() << QString() << QDate::currentDate() << QList<int>()
                                                    << QList<int>{5, 12} << QString::fromUtf8("K'12 \"é\"") << QList<int>{5, 12};
        // The primary's row is not the window's to remove; it takes the new K number.
        QTest::newRow("stored ticks but not the primary, all unticked")
            << QList<int>{3, 2, 9} << "K'77" << QDate(2013, 2, 1) << QList<int>{3, 9}
            << QList<int>{3, 9} << "K900" << QList<int>();
        QTest::newRow("a row without disability, one ticked")
            << QList<int>{0} << "K500" << QDate(2011, 12, 31) << QList<int>() << QList<int>{4} << "K500" << QList<int>{4};
        // Written by another program: longer than the box takes, an emoji at the box's limit.
        const QString longK = QStringLiteral("K-") + QString(47, QLatin1Char('7')) + QStringLiteral("\U0001F600-2019/Ü");
        QTest::newRow("a stored K number longer than the box, kept whole")
            << QList<int>{6} << longK << QDate(2019, 6, 30) << QList<int>{6} << QList<int>{8} << longK << QList<int>{6, 8};
    }
    void ticksRoundTrip()
    {
        QFETCH(QList<int>, stored);
        QFETCH(QString, storedK);
        QFETCH(QDate, storedDate);
        QFETCH(QList<int>, shown);
        QFETCH(QList<int>, toggled);
        QFETCH(QString, kNumber);
        QFETCH(QList<int>, saved);
        const QDate date(2024, 3, 5);
        storeRows(stored, storedK, storedDate.toString(Qt::ISODate));
        {
            auto window = open();
            QCOMPARE(ticked(*window), shown);
            QCOMPARE(window->kNumberBox()->text(), storedK);
            QCOMPARE(window->testDate()->date(), storedDate);
            QCOMPARE(fx->boxes.count(), 0);
            // The red primary cannot be ticked, and is not stored even when a
            // tick slips past the list's signals.
            QTreeWidgetItem *primary = window->itemForCode(2);
            QCOMPARE(primary->foreground(0).color(), QColor(255, 0, 0));
            primary->setCheckState(0, Qt::Checked);
            QCOMPARE(primary->checkState(0), Qt::Unchecked);
            QVERIFY(!ChangeFlag::isChanged(window->saveButton()));
            QSignalBlocker blocked(window->disabilityList());
            primary->setCheckState(0, Qt::Checked);
            blocked.unblock();

            for (int code : toggled)
                window->itemForCode(code)->setCheckState(0, shown.contains(code) ? Qt::Unchecked : Qt::Checked);
            QVERIFY(ChangeFlag::isChanged(window->saveButton()));
            window->kNumberBox()->setText(kNumber);
            window->testDate()->setDate(date);
            QVERIFY(window->save());
            QCOMPARE(fx->boxes.texts(), QStringList{QStringLiteral("Your Information has been Saved.")});
            QVERIFY(!ChangeFlag::isChanged(window->saveButton()));
        }
        // Nothing ticked is one row without disability, keeping K number and date.
        QStringList rows;
        for (int code : saved.isEmpty() ? QList<int>{0} : saved)
            rows << QStringLiteral("%1|%2|2024-03-05").arg(code).arg(kNumber);
        if (stored.contains(2))
            rows.insert(saved.isEmpty() ? 1 : 0, QStringLiteral("2|%1|2024-03-05").arg(kNumber));
        QCOMPARE(storedRows(), rows);
        auto again = open();
        QCOMPARE(ticked(*again), saved);
        QCOMPARE(again->kNumberBox()->text(), kNumber);
        QCOMPARE(again->testDate()->date(), date);
        again->testDate()->setDate(storedDate);
        QVERIFY(ChangeFlag::isChanged(again->saveButton()));
    }

    void aFailedSaveKeepsTheStoredRows()
    {
        storeRows({3, 6}, QStringLiteral("K1"), QStringLiteral("2013-02-01"));
        auto window = open();
        window->itemForCode(8)->setCheckState(0, Qt::Checked);
        fx->store.failWritesTo(QStringLiteral("MultipleDisabilities"));
        QVERIFY(!window->save());
        QVERIFY(fx->reportedFailure(QStringLiteral("frmMultipleDisabilities"), QStringLiteral("Save Data Routine")));
        QVERIFY(ChangeFlag::isChanged(window->saveButton()));
        QCOMPARE(storedRows(), (QStringList{QStringLiteral("3|K1|2013-02-01"), QStringLiteral("6|K1|2013-02-01")}));
    }

    void unsavedChangesAreAskedAbout()
    {
        auto window = open();
        window->show();
        QTest::keyClicks(window->kNumberBox(), QStringLiteral("K"));
        QVERIFY(ChangeFlag::isChanged(window->saveButton()));
        fx->boxes.answerNo();
        window->doneButton()->click();
        QCOMPARE(fx->boxes.last().title, QStringLiteral("Data has NOT been Saved"));
        QVERIFY(window->isVisible());
        // The window's own close control asks the same question.
        fx->boxes.answerYes();
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QCOMPARE(fx->boxes.count(), 2);
        QVERIFY(storedRows().isEmpty());
    }

    void failedLoadNeverSaves_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("stored rows unreadable") << QStringLiteral("MultipleDisabilities");
        QTest::newRow("list unreadable") << QStringLiteral("Disabilities");
        QTest::newRow("locked by another program") << QStringLiteral("locked");
        QTest::newRow("renamed away") << QStringLiteral("renamed");
    }
    void failedLoadNeverSaves()
    {
        QFETCH(QString, fault);
        storeRows({3, 12}, QStringLiteral("K9"), QStringLiteral("2013-02-01"));
        const QString before = fx->store.dump();
        {
            std::unique_ptr<Connection> other;
            if (fault == QLatin1String("locked"))
                other = fx->store.lockedByAnotherProgram();
            else if (fault == QLatin1String("renamed"))
                QVERIFY(QFile::rename(fx->store.path(), fx->store.path() + QStringLiteral(".old")));
            else
                fx->store.failReadsFrom(fault);
            auto window = open();
            QVERIFY(!window->loadCompleted());
            // One report, then a window that cannot replace the stored rows.
            QCOMPARE(fx->boxes.count(), 1);
            QVERIFY(fx->boxes.last().title.startsWith(QStringLiteral("Error : ")));
            QVERIFY(!window->saveButton()->isEnabled());
            other.reset();
            if (fault == QLatin1String("renamed"))
                QVERIFY(QFile::rename(fx->store.path() + QStringLiteral(".old"), fx->store.path()));
            else if (fault != QLatin1String("locked"))
                fx->store.allowReadsFrom(fault);
            window->kNumberBox()->setText(QStringLiteral("changed"));
            QVERIFY(!window->save());
        }
        QCOMPARE(fx->boxes.count(), 1);
        QCOMPARE(fx->store.dump(), before);
    }
};

QTEST_MAIN(TestMultipleDisabilities)
#include "tst_multipledisabilities.moc"
