// The additional-disabilities window: list, stored ticks, K number and date,
// saving in one transaction, and leaving with unsaved changes.
#include "AppState.h"
#include "ChangeFlag.h"
#include "MessageRecorder.h"
#include "MultipleDisabilities.h"
#include "TestStore.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

class TestMultipleDisabilities : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestStore> store;
    std::unique_ptr<MessageRecorder> boxes;
    int learner = 0;

    void storeRow(int code, const QString &kNumber, const QString &date)
    {
        store->exec(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) "
                                   "VALUES (%1, %2, '%3', '%4')").arg(learner).arg(code)
                        .arg(QString(kNumber).replace(QLatin1Char('\''), QStringLiteral("''")), date));
    }

    // The learner's stored rows as "code|Knumber|Testdate", in code order.
    QStringList storedRows()
    {
        auto connection = store->connect();
        Recordset rs = connection->query(QStringLiteral(
            "SELECT DisabilityID, Knumber, Testdate FROM MultipleDisabilities WHERE LearnerID = %1 ORDER BY DisabilityID")
                                             .arg(learner));
        QStringList rows;
        for (; !rs.eof(); rs.moveNext())
            rows << rs.text(QStringLiteral("DisabilityID")) + QLatin1Char('|') + rs.text(QStringLiteral("Knumber"))
                    + QLatin1Char('|') + rs.text(QStringLiteral("Testdate"));
        return rows;
    }

    std::unique_ptr<frmMultipleDisabilities> open(const QString &primary = QStringLiteral("Hearing impairment"))
    {
        auto window = std::make_unique<frmMultipleDisabilities>();
        window->setLearner(QStringLiteral("MOKOENA Thabo"));
        window->setPrimary(primary);
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
        resetAppState();
        store = std::make_unique<TestStore>();
        boxes = std::make_unique<MessageRecorder>();
        learner = store->addLearner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"));
        store->pickLearner(learner, 2014);
    }
    void cleanup()
    {
        boxes.reset();
        store.reset();
    }

    void listsEveryDisabilityWithThePrimaryInRed()
    {
        auto window = open();
        QCOMPARE(window->windowTitle(), QStringLiteral("Multiple Disabilities per Learner"));
        QCOMPARE(window->learnerBox()->text(), QStringLiteral("MOKOENA Thabo"));
        QCOMPARE(window->testDate()->date(), QDate::currentDate());
        QTreeWidget *list = window->disabilityList();
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Disability"));
        QCOMPARE(list->topLevelItemCount(), 13);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Visual impairment"));
        QCOMPARE(list->topLevelItem(12)->text(0), QStringLiteral("Speech and language disorder"));

        QTreeWidgetItem *primary = window->itemForCode(2);
        QVERIFY(frmMultipleDisabilities::isPrimaryItem(primary));
        QCOMPARE(primary->foreground(0).color(), QColor(255, 0, 0));
        QVERIFY(!(primary->flags() & Qt::ItemIsUserCheckable));
        QVERIFY(!(primary->flags() & Qt::ItemIsSelectable));
        QVERIFY(!frmMultipleDisabilities::isPrimaryItem(window->itemForCode(10)));
        QVERIFY(!ChangeFlag::isChanged(window->saveButton()));
        QCOMPARE(boxes->count(), 0);
    }

    void opensWithTheStoredData()
    {
        storeRow(3, QStringLiteral("K'77"), QStringLiteral("2013-02-01"));
        storeRow(2, QStringLiteral("K'77"), QStringLiteral("2013-02-01"));   // the primary: never ticked
        storeRow(9, QStringLiteral("K'77"), QStringLiteral("2013-02-01"));
        auto window = open();
        QCOMPARE(ticked(*window), (QList<int>{3, 9}));
        QCOMPARE(window->kNumberBox()->text(), QStringLiteral("K'77"));
        QCOMPARE(window->testDate()->date(), QDate(2013, 2, 1));
        QVERIFY(!ChangeFlag::isChanged(window->saveButton()));
    }

    void aRowWithoutDisabilityTicksNothing()
    {
        storeRow(0, QStringLiteral("K500"), QStringLiteral("2011-12-31"));
        auto window = open();
        QVERIFY(ticked(*window).isEmpty());
        QCOMPARE(window->kNumberBox()->text(), QStringLiteral("K500"));
        QCOMPARE(window->testDate()->date(), QDate(2011, 12, 31));
    }

    void savesTheTicksWithKNumberAndDate()
    {
        storeRow(4, QStringLiteral("old"), QStringLiteral("2010-01-01"));
        {
            auto window = open();
            window->itemForCode(4)->setCheckState(0, Qt::Unchecked);
            window->itemForCode(5)->setCheckState(0, Qt::Checked);
            window->itemForCode(12)->setCheckState(0, Qt::Checked);
            QVERIFY(ChangeFlag::isChanged(window->saveButton()));
            window->kNumberBox()->setText(QString::fromUtf8("K'12 \"é\""));
            window->testDate()->setDate(QDate(2024, 3, 5));
            QVERIFY(window->save());
            QCOMPARE(boxes->last().title, QStringLiteral("Data Saved"));
            QCOMPARE(boxes->last().text, QStringLiteral("Your Information has been Saved."));
            QVERIFY(!ChangeFlag::isChanged(window->saveButton()));
        }
        const QString k = QString::fromUtf8("K'12 \"é\"");
        QCOMPARE(storedRows(), (QStringList{QStringLiteral("5|") + k + QStringLiteral("|2024-03-05"),
                                            QStringLiteral("12|") + k + QStringLiteral("|2024-03-05")}));

        auto again = open();
        QCOMPARE(ticked(*again), (QList<int>{5, 12}));
        QCOMPARE(again->kNumberBox()->text(), k);
        QCOMPARE(again->testDate()->date(), QDate(2024, 3, 5));
    }

    void thePrimaryIsNeverStored()
    {
        auto window = open();
        QTreeWidgetItem *primary = window->itemForCode(2);
        primary->setCheckState(0, Qt::Checked);
        QCOMPARE(primary->checkState(0), Qt::Unchecked);   // undone at once
        QVERIFY(!ChangeFlag::isChanged(window->saveButton()));
        {
            // Even a tick that slipped past the list's signals is not stored.
            const QSignalBlocker block(window->disabilityList());
            primary->setCheckState(0, Qt::Checked);
        }
        window->kNumberBox()->clear();
        window->testDate()->setDate(QDate(2020, 7, 9));
        QVERIFY(window->save());
        QCOMPARE(storedRows(), QStringList{QStringLiteral("0| |2020-07-09")});
    }

    void nothingTickedStoresOneRowWithoutDisability()
    {
        storeRow(3, QStringLiteral("K1"), QStringLiteral("2013-02-01"));
        storeRow(6, QStringLiteral("K1"), QStringLiteral("2013-02-01"));
        auto window = open();
        window->itemForCode(3)->setCheckState(0, Qt::Unchecked);
        window->itemForCode(6)->setCheckState(0, Qt::Unchecked);
        window->kNumberBox()->setText(QStringLiteral("K900"));
        window->testDate()->setDate(QDate(2019, 11, 30));
        QVERIFY(window->save());
        QCOMPARE(storedRows(), QStringList{QStringLiteral("0|K900|2019-11-30")});
    }

    void aFailedSaveKeepsTheStoredRows()
    {
        storeRow(3, QStringLiteral("K1"), QStringLiteral("2013-02-01"));
        storeRow(6, QStringLiteral("K1"), QStringLiteral("2013-02-01"));
        auto window = open();
        window->itemForCode(8)->setCheckState(0, Qt::Checked);
        store->failWritesTo(QStringLiteral("MultipleDisabilities"));
        QVERIFY(!window->save());
        QCOMPARE(boxes->count(), 1);
        QVERIFY(boxes->last().title.startsWith(QStringLiteral("Error : ")));
        QVERIFY(boxes->sawText(QStringLiteral("Location: frmMultipleDisabilities")));
        QVERIFY(boxes->sawText(QStringLiteral("Procedure: Save Data Routine")));
        QVERIFY(ChangeFlag::isChanged(window->saveButton()));
        QCOMPARE(storedRows(), (QStringList{QStringLiteral("3|K1|2013-02-01"), QStringLiteral("6|K1|2013-02-01")}));
    }

    void aFailedLoadIsReported()
    {
        store->exec(QStringLiteral("DROP TABLE MultipleDisabilities"));
        auto window = open();
        QCOMPARE(window->disabilityList()->topLevelItemCount(), 13);
        QCOMPARE(boxes->count(), 1);
        QVERIFY(boxes->sawText(QStringLiteral("Procedure: Get Data Routine")));
    }

    void changesAreMarked()
    {
        auto window = open();
        QTest::keyClicks(window->kNumberBox(), QStringLiteral("K"));
        QVERIFY(ChangeFlag::isChanged(window->saveButton()));

        auto other = open();
        other->testDate()->setDate(QDate(2001, 1, 1));
        QVERIFY(ChangeFlag::isChanged(other->saveButton()));
    }

    void doneAsksAboutUnsavedChanges()
    {
        auto window = open();
        window->show();
        window->doneButton()->click();
        QCOMPARE(boxes->count(), 0);
        QVERIFY(!window->isVisible());

        window = open();
        window->show();
        window->itemForCode(5)->setCheckState(0, Qt::Checked);
        boxes->answerNo();
        window->doneButton()->click();
        QCOMPARE(boxes->last().title, QStringLiteral("Data has NOT been Saved"));
        QVERIFY(window->isVisible());
        QCOMPARE(window->itemForCode(5)->checkState(0), Qt::Checked);

        // The window's own close control asks the same question.
        boxes->answerYes();
        QVERIFY(window->close());
        QCOMPARE(boxes->count(), 2);
        QVERIFY(!window->isVisible());
        QVERIFY(storedRows().isEmpty());
    }
};

QTEST_MAIN(TestMultipleDisabilities)
#include "tst_multipledisabilities.moc"
