// Section 1, background information: loading, the primary-disability check,
// saving (one transaction over the row and the learner's code), input limits
// and the additional-disabilities window it opens: stored ticks, K number and
// date, the primary that is never stored, the routine a refused save names,
// and leaving with unsaved changes. Failed loads and rollback are the
// conformance suite's.
#include "BackgroundInfo.h"
#include "ChangeFlag.h"
#include "MultipleDisabilities.h"
#include "ScreenTestKit.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using kit::text;
using kit::type;

namespace {

constexpr int Year = 2014;

// The screen's five texts, each in row 3 of its grid, and where they are stored.
struct Field { grid::SpreadGrid *(frmBackgroundInfo::*grid)() const; int col; const char *column; };
const Field Fields[] = {
    {&frmBackgroundInfo::gridEarlyIntervention, 1, "Nature_Of_Support_Received"},
    {&frmBackgroundInfo::gridEarlyIntervention, 2, "Name_Of_Provider"},
    {&frmBackgroundInfo::gridEarlyIntervention, 3, "Contact_Details"},
    {&frmBackgroundInfo::gridFamilySituation, 1, "Family_Situation"},
    {&frmBackgroundInfo::gridParent_Understanding, 1, "Parent_Understanding_Of_Child"},
};

QStringList shownTexts(const frmBackgroundInfo &screen)
{
    QStringList texts;
    for (const Field &field : Fields)
        texts << text((screen.*field.grid)(), field.col, 3);
    return texts;
}

} // namespace

class TestBackground : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    // A learner with primary disability `primary` (a Disabilities id) and the
    // given additional disabilities, picked for Year.
    int addLearner(int primary, const QVector<int> &additional = {})
    {
        const int id = fx->pick(fx->store.addLearner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"), QStringLiteral("C"), 2,
                                                     QString(), 3, QStringLiteral("A1234"), QStringLiteral("20080315"), primary),
                                Year);
        for (int code : additional)
            fx->store.exec(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) "
                                          "VALUES (%1, %2, 'K1', '2013-02-01')").arg(id).arg(code));
        return id;
    }

    void storeRow(int year, const QString &nature, const QString &family)
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, "
                                      "Name_Of_Provider, Contact_Details, Family_Situation, Parent_Understanding_Of_Child, "
                                      "Data_Year) VALUES (%1, '%2', NULL, 'Tel 012', '%3', 'Likes music', %4)")
                           .arg(learner).arg(nature, family).arg(year));
    }

    // The year's rows, as expr.
    QString stored(const QString &expr) const { return fx->rows(QStringLiteral("SNE_Learner_Background_Info"), expr); }

    // The code and the nature of support stored, after Home visits is typed
    // over the nature and the screen saved.
    QString typeAndSave(frmBackgroundInfo &screen, const QString &typed = QStringLiteral("Home visits"))
    {
        if (!type(screen.gridEarlyIntervention(), 1, 3, typed) || !screen.save())
            return QStringLiteral("not saved");
        return storedPrimary() + QLatin1Char('|') + stored(QStringLiteral("Nature_Of_Support_Received"));
    }

    QString storedPrimary() const
    {
        const QVariant code = fx->store.scalar(QStringLiteral("SELECT LSENDisabilities FROM Learner_Info WHERE ID = %1").arg(learner));
        return code.isNull() ? QStringLiteral("NULL") : code.toString();
    }

    void storeDisabilities(const QList<int> &codes, const QString &kNumber, const QString &date)
    {
        for (int code : codes)
            fx->store.exec(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) "
                                          "VALUES (%1, %2, '%3', '%4')").arg(learner).arg(code)
                               .arg(QString(kNumber).replace(QLatin1Char('\''), QStringLiteral("''")), date));
    }

    // The learner's stored rows as "code|Knumber|Testdate", in code order.
    QStringList storedDisabilities() const
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
    void init() { fx = std::make_unique<kit::Fixture>(true); }
    void cleanup() { fx.reset(); }

    // The stored row and the additional disabilities show whatever the
    // primary code is; an unrelated edit keeps the stored code (one the
    // screen cannot name, or one of two disabilities named alike, included).
    void loadsTheYearsRowAndTheDisabilities_data()
    {
        QTest::addColumn<QString>("primary");   // as stored in the learner's record
        QTest::addColumn<bool>("rowThisYear");
        QTest::addColumn<QString>("shown");
        QTest::newRow("primary, no row this year") << "2" << false << "Hearing impairment";
        QTest::newRow("primary and a row") << "2" << true << "Hearing impairment";
        QTest::newRow("no primary") << "0" << true << "";
        QTest::newRow("unknown primary") << "99" << true << "";
        QTest::newRow("null primary") << "NULL" << true << "";
        QTest::newRow("a name two codes share") << "40" << true << "Hearing impairment";
    }
    void loadsTheYearsRowAndTheDisabilities()
    {
        QFETCH(QString, primary);
        QFETCH(bool, rowThisYear);
        QFETCH(QString, shown);
        if (primary == QLatin1String("40"))
            fx->store.exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (40, 'Hearing impairment')"));
        learner = addLearner(0, {3, 12});
        fx->store.exec(QStringLiteral("UPDATE Learner_Info SET LSENDisabilities = %1 WHERE ID = %2").arg(primary).arg(learner));
        for (int year : {Year - 1, Year + 1})
            storeRow(year, QStringLiteral("other year"), QStringLiteral("other year"));
        if (rowThisYear)
            storeRow(Year, QStringLiteral("Speech therapy"), QStringLiteral("Lives with gran"));
        auto screen = kit::opened<frmBackgroundInfo>();

        // The provider is NULL in the store and shows empty.
        const QStringList row{QStringLiteral("Speech therapy"), QString(), QStringLiteral("Tel 012"),
                              QStringLiteral("Lives with gran"), QStringLiteral("Likes music")};
        QCOMPARE(shownTexts(*screen), rowThisYear ? row : QStringList(5, QString()));
        QCOMPARE(text(screen->gridDisability(), 1, 2), shown);
        const QStringList items = screen->gridDisability()->cells().cell(1, 2).items;
        QCOMPARE(items.size(), primary == QLatin1String("40") ? 12 : 11);   // the other "Hearing impairment" too
        // The list leaves out the additional disabilities.
        QCOMPARE(text(screen->gridDisability(), 2, 2), QStringLiteral("Physical disability, Cerebral palsy"));
        QVERIFY(!items.contains(QStringLiteral("Physical disability")) && !items.contains(QStringLiteral("Cerebral palsy")));
        QCOMPARE(screen->gridEarlyIntervention()->activeRow(), 3);
        QCOMPARE(fx->boxes.count(), 0);

        QCOMPARE(typeAndSave(*screen), primary + QStringLiteral("|Home visits"));
        QCOMPARE(stored(QStringLiteral("Family_Situation")), rowThisYear ? QStringLiteral("Lives with gran") : QStringLiteral(" "));
        // A chosen name writes its code.
        QVERIFY(type(screen->gridDisability(), 1, 2, QStringLiteral("Autism spectrum disorder")));
        QVERIFY(screen->save());
        QCOMPARE(storedPrimary(), QStringLiteral("5"));
    }

    void learnerRemovedWhileOpenStoresNothing()
    {
        learner = addLearner(2);
        auto screen = kit::opened<frmBackgroundInfo>();
        fx->store.exec(QStringLiteral("DELETE FROM Learner_Info WHERE ID = %1").arg(learner));
        for (int attempt = 0; attempt < 2; ++attempt)
            QCOMPARE(typeAndSave(*screen), QStringLiteral("not saved"));
        QCOMPARE(fx->boxes.count(), 2);
        QVERIFY(fx->boxes.last().text.contains(QStringLiteral("is no longer in the school's database")));
        QCOMPARE(stored(QStringLiteral("'row'")), QString());
        QVERIFY(screen->hasUnsavedChanges());
    }

    void primaryAlsoAdditionalIsRefused_data()
    {
        QTest::addColumn<int>("primary");
        QTest::addColumn<int>("additional");
        QTest::addColumn<bool>("refused");
        QTest::newRow("same disability") << 2 << 2 << true;
        QTest::newRow("name inside a longer name") << 10 << 1 << true;   // "Visual" in "Visual impairment"
        QTest::newRow("different names") << 11 << 2 << false;            // "Deaf", "Hearing impairment"
    }
    void primaryAlsoAdditionalIsRefused()
    {
        QFETCH(int, primary);
        QFETCH(int, additional);
        QFETCH(bool, refused);
        learner = addLearner(primary, {additional});
        storeRow(Year, QStringLiteral("as stored"), QStringLiteral("as stored"));
        const QString name =
            fx->store.scalar(QStringLiteral("SELECT Name FROM Disabilities WHERE id = %1").arg(primary)).toString();
        auto screen = kit::opened<frmBackgroundInfo>();

        // Still shown on opening, and without a message.
        QCOMPARE(text(screen->gridDisability(), 1, 2), name);
        QVERIFY(screen->gridDisability()->cells().cell(1, 2).items.contains(name));
        QCOMPARE(fx->boxes.count(), 0);

        QCOMPARE(typeAndSave(*screen, QStringLiteral("changed")),
                 refused ? QStringLiteral("not saved") : QString::number(primary) + QStringLiteral("|changed"));
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")), refused ? QStringLiteral("as stored") : QStringLiteral("changed"));
        QCOMPARE(screen->hasUnsavedChanges(), refused);
        if (!refused)
            return;
        QCOMPARE(fx->boxes.texts(), QStringList{QStringLiteral("The Primary Disablility is also added as an Additional "
                                                               "Disability, please correct the information before saving.")});
        QCOMPARE(fx->boxes.last().title, QStringLiteral("User Message"));
        QCOMPARE(screen->gridDisability()->activeCol(), 3);
    }

    // What is typed is stored in its column: emptied texts as one blank (the
    // provider, never filled, keeps its NULL), long ones held to the column.
    // A write refused on the first try leaves the row and the code as they
    // were, in both tables; once writes are taken again the same screen saves.
    void saveStoresTheRowAsTyped_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("primary");
        QTest::addColumn<QString>("kept");     // the stored texts and code; empty: no row
        QTest::addColumn<QStringList>("refused");
        const QStringList plain{QStringLiteral("Occupational therapy"), QStringLiteral("District clinic"),
                                QStringLiteral("012 345 6789"), QStringLiteral("Two siblings"),
                                QStringLiteral("Wants her to read")};
        const QString plainKept = plain.join(QLatin1Char('|')) + QStringLiteral("|6");
        const QString epilepsy = QStringLiteral("Epilepsy");
        QTest::newRow("plain texts") << plain << epilepsy << plainKept << QStringList();
        QTest::newRow("empty texts and a primary: blanks") << QStringList(5, QString()) << epilepsy << " |NULL| | | |6"
                                                            << QStringList();
        const QString a300(300, QLatin1Char('a')), a255(255, QLatin1Char('a'));
        const QString c2500(2500, QLatin1Char('c')), c2000(2000, QLatin1Char('c'));
        QTest::newRow("long texts held to their columns") << QStringList{a300, a300, a300, c2500, c2500} << epilepsy
                                                          << QStringList{a255, a255, a255, c2000, c2000, "6"}.join('|')
                                                          << QStringList();
        QTest::newRow("nothing at all: no row") << QStringList(5, QString()) << QString() << QString() << QStringList();
        QTest::newRow("update of the row fails") << plain << epilepsy << plainKept
                                                 << QStringList{"SNE_Learner_Background_Info", "UPDATE"};
        QTest::newRow("update of the learner fails") << plain << epilepsy << plainKept << QStringList{"Learner_Info", "UPDATE"};
    }
    void saveStoresTheRowAsTyped()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, primary);
        QFETCH(QString, kept);
        QFETCH(QStringList, refused);
        learner = addLearner(2);
        storeRow(Year, QStringLiteral("old"), QStringLiteral("old"));
        auto screen = kit::opened<frmBackgroundInfo>();
        for (int i = 0; i < 5; ++i)
            QVERIFY(type((screen.get()->*Fields[i].grid)(), Fields[i].col, 3, typed[i]));
        QVERIFY(type(screen->gridDisability(), 1, 2, primary));
        QStringList columns;
        for (const Field &field : Fields)
            columns << QStringLiteral("COALESCE(%1, 'NULL')").arg(QLatin1String(field.column));
        const auto storedRow = [&] {
            const QString row = stored(columns.join(QStringLiteral(" || '|' || ")));
            return row.isEmpty() ? row : row + QLatin1Char('|') + storedPrimary();
        };
        if (!refused.isEmpty()) {
            fx->store.failWritesTo(refused[0], refused[1]);
            QVERIFY(!screen->save());
            QCOMPARE(storedRow(), QStringLiteral("old|NULL|Tel 012|old|Likes music|2"));
            fx->store.allowWritesTo(refused[0], refused[1]);
        }
        QVERIFY(screen->save());
        QCOMPARE(storedRow(), kept);
        QCOMPARE(screen->primaryDisabilityName(), primary);   // what the additional-disabilities window is told
        QCOMPARE(shownTexts(*kit::opened<frmBackgroundInfo>()),
                 kept.isEmpty() ? QStringList(5, QString()) : kept.replace(QStringLiteral("NULL"), QString()).split('|').mid(0, 5));
    }

    void emojiAtTheLimitIsStoredWhole()
    {
        learner = addLearner(2);
        auto screen = kit::opened<frmBackgroundInfo>();
        // 254 letters and an emoji: 255 characters as the store counts them.
        const QString fits = QString(254, QLatin1Char('a')) + QStringLiteral("\U0001F600");
        QVERIFY(type(screen->gridEarlyIntervention(), 2, 3, QStringLiteral("nul\u0000here")));
        QCOMPARE(typeAndSave(*screen, fits + QStringLiteral("\U0001F600")), QStringLiteral("2|") + fits);
        QCOMPARE(stored(QStringLiteral("length(Nature_Of_Support_Received) || '|' || Name_Of_Provider")), QStringLiteral("255|nulhere"));
    }

    void additionalDisabilitiesButtonReloadsTheDisabilityRow()
    {
        learner = addLearner(2, {3});
        auto screen = kit::opened<frmBackgroundInfo>();
        QVERIFY(type(screen->gridFamilySituation(), 1, 3, QStringLiteral("unsaved text")));
        QVERIFY(type(screen->gridDisability(), 1, 2, QStringLiteral("Epilepsy")));   // unsaved primary

        QString seen;
        QTimer::singleShot(0, [&] {
            QWidget *active = QApplication::activeModalWidget();
            auto *window = qobject_cast<frmMultipleDisabilities *>(active);
            if (!window) {
                if (active)
                    active->close();
                return;
            }
            seen = window->primaryBox()->text() + QLatin1Char('|') + window->learnerBox()->text();
            window->itemForCode(7)->setCheckState(0, Qt::Checked);
            window->save();
            window->doneButton()->click();
        });
        Q_EMIT screen->gridDisability()->buttonClicked(3, 2);

        QCOMPARE(seen, QStringLiteral("Hearing impairment|MOKOENA Thabo"));
        QCOMPARE(text(screen->gridDisability(), 2, 2), QStringLiteral("Physical disability, Specific learning disability"));
        QVERIFY(!screen->gridDisability()->cells().cell(1, 2).items.contains(QStringLiteral("Specific learning disability")));
        // The stored primary replaces the unsaved choice; the text edit stays.
        QCOMPARE(text(screen->gridDisability(), 1, 2), QStringLiteral("Hearing impairment"));
        QCOMPARE(text(screen->gridFamilySituation(), 1, 3), QStringLiteral("unsaved text"));
    }

    // The additional-disabilities window ------------------------------------

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
        learner = addLearner(0);
        const QDate date(2024, 3, 5);
        storeDisabilities(stored, storedK, storedDate.toString(Qt::ISODate));
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
        QCOMPARE(storedDisabilities(), rows);
        auto again = open();
        QCOMPARE(ticked(*again), saved);
        QCOMPARE(again->kNumberBox()->text(), kNumber);
        QCOMPARE(again->testDate()->date(), date);
        again->testDate()->setDate(storedDate);
        QVERIFY(ChangeFlag::isChanged(again->saveButton()));
    }

    // The one report of a refused save names the window's routine.
    void aRefusedSaveNamesItsRoutine()
    {
        learner = addLearner(0);
        auto window = open();
        window->itemForCode(8)->setCheckState(0, Qt::Checked);
        fx->store.failWritesTo(QStringLiteral("MultipleDisabilities"));
        QVERIFY(!window->save());
        QVERIFY(fx->reportedFailure(QStringLiteral("frmMultipleDisabilities"), QStringLiteral("Save Data Routine")));
    }

    void unsavedChangesAreAskedAbout()
    {
        learner = addLearner(0);
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
        QVERIFY(storedDisabilities().isEmpty());
    }
};

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
