// Section 1, background information: loading, the primary-disability check,
// saving (one transaction), input limits, the printed page and the
// additional-disabilities window.
#include "BackgroundInfo.h"
#include "MultipleDisabilities.h"
#include "ScreenTestKit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using kit::Saved;
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
        const int id = fx->store.addLearner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"), QStringLiteral("C"), 2,
                                            QString(), 3, QStringLiteral("A1234"), QStringLiteral("20080315"), primary);
        for (int code : additional)
            fx->store.exec(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) "
                                          "VALUES (%1, %2, 'K1', '2013-02-01')").arg(id).arg(code));
        fx->store.pickLearner(id, Year);
        return id;
    }

    void storeRow(int year, const QString &nature, const QString &family)
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, "
                                      "Name_Of_Provider, Contact_Details, Family_Situation, Parent_Understanding_Of_Child, "
                                      "Data_Year) VALUES (%1, '%2', NULL, 'Tel 012', '%3', 'Likes music', %4)")
                           .arg(learner).arg(nature, family).arg(year));
    }

    QVariant stored(const QString &column)
    {
        return fx->store.scalar(QStringLiteral("SELECT %1 FROM SNE_Learner_Background_Info WHERE LearnerID = %2 "
                                               "AND Data_Year = %3").arg(column).arg(learner).arg(Year));
    }

    int storedPrimary()
    {
        return fx->store.scalar(QStringLiteral("SELECT LSENDisabilities FROM Learner_Info WHERE ID = %1").arg(learner)).toInt();
    }

private Q_SLOTS:
    void init() { fx = std::make_unique<kit::Fixture>(true); }
    void cleanup() { fx.reset(); }

    void loadsTheYearsRowAndTheDisabilities_data()
    {
        QTest::addColumn<QString>("primary");   // as stored in the learner's record
        QTest::addColumn<bool>("rowThisYear");
        QTest::newRow("primary, no row this year") << QStringLiteral("2") << false;
        QTest::newRow("primary and a row") << QStringLiteral("2") << true;
        QTest::newRow("no primary") << QStringLiteral("0") << true;
        QTest::newRow("unknown primary") << QStringLiteral("99") << true;
        QTest::newRow("null primary") << QStringLiteral("NULL") << true;
    }
    void loadsTheYearsRowAndTheDisabilities()
    {
        QFETCH(QString, primary);
        QFETCH(bool, rowThisYear);
        const bool known = primary == QLatin1String("2");
        learner = addLearner(0, {3, 12});
        fx->store.exec(QStringLiteral("UPDATE Learner_Info SET LSENDisabilities = %1 WHERE ID = %2").arg(primary).arg(learner));
        for (int year : {Year - 1, Year + 1})
            storeRow(year, QStringLiteral("other year"), QStringLiteral("other year"));
        if (rowThisYear)
            storeRow(Year, QStringLiteral("Speech therapy"), QStringLiteral("Lives with gran"));
        auto screen = kit::opened<frmBackgroundInfo>();

        // The provider is NULL in the store and shows empty. The stored row
        // and the additional disabilities show whatever the primary code is.
        const QStringList row{QStringLiteral("Speech therapy"), QString(), QStringLiteral("Tel 012"),
                              QStringLiteral("Lives with gran"), QStringLiteral("Likes music")};
        QCOMPARE(shownTexts(*screen), rowThisYear ? row : QStringList(5, QString()));
        QCOMPARE(text(screen->gridDisability(), 1, 2), known ? QStringLiteral("Hearing impairment") : QString());
        const QStringList items = screen->gridDisability()->cells().cell(1, 2).items;
        QCOMPARE(items.size(), 11);
        // The list leaves out the additional disabilities.
        QCOMPARE(text(screen->gridDisability(), 2, 2), QStringLiteral("Physical disability, Cerebral palsy"));
        QVERIFY(!items.contains(QStringLiteral("Physical disability")) && !items.contains(QStringLiteral("Cerebral palsy")));
        QVERIFY(!screen->hasUnsavedChanges());
        QCOMPARE(screen->gridEarlyIntervention()->activeRow(), 3);
        QCOMPARE(fx->boxes.count(), 0);

        // An unrelated edit keeps the stored code, whatever it is (one the
        // screen cannot name included); a chosen name writes its code.
        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("Home visits")));
        QVERIFY(screen->save());
        const QVariant code = fx->store.scalar(QStringLiteral("SELECT LSENDisabilities FROM Learner_Info WHERE ID = %1").arg(learner));
        QCOMPARE(code.isNull() ? QStringLiteral("NULL") : code.toString(), primary);
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(), QStringLiteral("Home visits"));
        QCOMPARE(stored(QStringLiteral("Family_Situation")).toString(),
                 rowThisYear ? QStringLiteral("Lives with gran") : QStringLiteral(" "));
        QVERIFY(type(screen->gridDisability(), 1, 2, QStringLiteral("Autism spectrum disorder")));
        QVERIFY(screen->save());
        QCOMPARE(storedPrimary(), 5);
        QCOMPARE(stored(QStringLiteral("count(*)")).toInt(), 1);
    }

    void sharedDisabilityNameKeepsItsCode()
    {
        // Two disabilities named alike: the learner's own code stays.
        fx->store.exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (40, 'Hearing impairment')"));
        learner = addLearner(40);
        auto screen = kit::opened<frmBackgroundInfo>();
        QCOMPARE(text(screen->gridDisability(), 1, 2), QStringLiteral("Hearing impairment"));
        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("Home visits")));
        QVERIFY(screen->save());
        QCOMPARE(storedPrimary(), 40);
    }

    void learnerRemovedWhileOpenStoresNothing()
    {
        learner = addLearner(2);
        auto screen = kit::opened<frmBackgroundInfo>();
        fx->store.exec(QStringLiteral("DELETE FROM Learner_Info WHERE ID = %1").arg(learner));
        for (int attempt = 0; attempt < 2; ++attempt) {
            QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("Home visits")));
            QVERIFY(!screen->save());
        }
        QCOMPARE(fx->boxes.count(), 2);
        QVERIFY(fx->boxes.last().text.contains(QStringLiteral("is no longer in the school's database")));
        QVERIFY(!fx->boxes.sawText(Saved));
        QCOMPARE(stored(QStringLiteral("count(*)")).toInt(), 0);
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

        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("changed")));
        QCOMPARE(screen->save(), !refused);
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(),
                 refused ? QStringLiteral("as stored") : QStringLiteral("changed"));
        QCOMPARE(storedPrimary(), primary);
        QCOMPARE(screen->hasUnsavedChanges(), refused);
        if (!refused) {
            QCOMPARE(fx->boxes.texts(), QStringList{Saved});
            return;
        }
        QCOMPARE(fx->boxes.texts(), QStringList{QStringLiteral("The Primary Disablility is also added as an Additional "
                                                               "Disability, please correct the information before saving.")});
        QCOMPARE(fx->boxes.last().title, QStringLiteral("User Message"));
        QCOMPARE(screen->gridDisability()->activeCol(), 3);
    }

    void saveStoresTheRowAsTyped_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("primary");
        QTest::addColumn<QStringList>("kept");     // the stored texts; none: no row
        QTest::addColumn<int>("primaryCode");      // -1: not looked at
        QTest::addColumn<QStringList>("refused");  // a write that fails on the first try
        const QStringList plain{QStringLiteral("Occupational therapy"), QStringLiteral("District clinic"),
                                QStringLiteral("012 345 6789"), QStringLiteral("Two siblings"),
                                QStringLiteral("Wants her to read")};
        const QStringList awkward{QStringLiteral("Mrs O'Brien's \"play\" group"),
                                  QString::fromUtf8("Université de Genève – ß, ĉ, 日本"), QStringLiteral("''"),
                                  QStringLiteral("Line one\nLine two\r\nLine 'three'"), QStringLiteral(" leading and trailing ")};
        const QString epilepsy = QStringLiteral("Epilepsy");
        const QStringList none;
        QTest::newRow("plain texts") << plain << epilepsy << plain << 6 << none;
        QTest::newRow("quotes, line breaks, non-ASCII") << awkward << epilepsy << awkward << 6 << none;
        // Emptied texts are stored as one blank; the provider, never filled, keeps its NULL.
        QTest::newRow("empty texts and a primary: blanks")
            << QStringList(5, QString()) << epilepsy
            << QStringList{QStringLiteral(" "), QString(), QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")} << 6
            << none;
        const QString a300(300, QLatin1Char('a')), a255(255, QLatin1Char('a'));
        const QString c2500(2500, QLatin1Char('c')), c2000(2000, QLatin1Char('c'));
        QTest::newRow("long texts held to their columns") << QStringList{a300, a300, a300, c2500, c2500} << epilepsy
                                                          << QStringList{a255, a255, a255, c2000, c2000} << 6 << none;
        QTest::newRow("nothing at all: no row") << QStringList(5, QString()) << QString() << QStringList() << -1 << none;
        QTest::newRow("update of the row fails") << plain << epilepsy << plain << 6
                                                 << QStringList{QStringLiteral("SNE_Learner_Background_Info"),
                                                                QStringLiteral("UPDATE")};
        QTest::newRow("update of the learner fails")
            << plain << epilepsy << plain << 6 << QStringList{QStringLiteral("Learner_Info"), QStringLiteral("UPDATE")};
    }
    void saveStoresTheRowAsTyped()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, primary);
        QFETCH(QStringList, kept);
        QFETCH(int, primaryCode);
        QFETCH(QStringList, refused);
        learner = addLearner(2);
        storeRow(Year, QStringLiteral("old"), QStringLiteral("old"));
        auto screen = kit::opened<frmBackgroundInfo>();
        for (int i = 0; i < 5; ++i)
            QVERIFY(type((screen.get()->*Fields[i].grid)(), Fields[i].col, 3, typed[i]));
        QVERIFY(type(screen->gridDisability(), 1, 2, primary));
        QVERIFY(screen->hasUnsavedChanges());

        if (!refused.isEmpty()) {
            // A failure half way leaves the old row and code, reported, with Save still yellow.
            fx->store.failWritesTo(refused[0], refused[1]);
            QVERIFY(!screen->save());
            QVERIFY(fx->reportedFailure(QStringLiteral("frmBackgroundInfo"), QStringLiteral("saveBackgroundInfo Routine")));
            QCOMPARE(stored(QStringLiteral("count(*)")).toInt(), 1);
            QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(), QStringLiteral("old"));
            QCOMPARE(storedPrimary(), 2);
            // Once the store takes writes again, the same screen saves.
            fx->store.allowWritesTo(refused[0], refused[1]);
            fx->boxes.clear();
        }
        QVERIFY(screen->save());
        QCOMPARE(fx->boxes.texts(), QStringList{Saved});
        QVERIFY(!screen->hasUnsavedChanges());
        QCOMPARE(stored(QStringLiteral("count(*)")).toInt(), kept.isEmpty() ? 0 : 1);
        for (int i = 0; i < kept.size(); ++i)
            QCOMPARE(stored(QString::fromLatin1(Fields[i].column)).toString(), kept[i]);
        if (primaryCode >= 0)
            QCOMPARE(storedPrimary(), primaryCode);
        QCOMPARE(screen->primaryDisabilityName(), primary);   // what the additional-disabilities window is told
        QCOMPARE(shownTexts(*kit::opened<frmBackgroundInfo>()), kept.isEmpty() ? QStringList(5, QString()) : kept);
    }

    void emojiAtTheLimitIsStoredWhole()
    {
        learner = addLearner(2);
        auto screen = kit::opened<frmBackgroundInfo>();
        // 254 letters and an emoji: 255 characters as the store counts them.
        const QString fits = QString(254, QLatin1Char('a')) + QStringLiteral("\U0001F600");
        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, fits + QStringLiteral("\U0001F600")));
        QVERIFY(type(screen->gridEarlyIntervention(), 2, 3, QStringLiteral("nul\u0000here")));
        QVERIFY(screen->save());
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(), fits);
        QCOMPARE(stored(QStringLiteral("length(Nature_Of_Support_Received)")).toInt(), 255);
        QCOMPARE(stored(QStringLiteral("Name_Of_Provider")).toString(), QStringLiteral("nulhere"));
    }

    void additionalDisabilitiesButtonReloadsTheDisabilityRow()
    {
        learner = addLearner(2, {3});
        auto screen = kit::opened<frmBackgroundInfo>();
        QVERIFY(type(screen->gridFamilySituation(), 1, 3, QStringLiteral("unsaved text")));
        QVERIFY(type(screen->gridDisability(), 1, 2, QStringLiteral("Epilepsy")));   // unsaved primary

        QString seenPrimary, seenLearner;
        QTimer::singleShot(0, [&] {
            QWidget *active = QApplication::activeModalWidget();
            auto *window = qobject_cast<frmMultipleDisabilities *>(active);
            if (!window) {
                if (active)
                    active->close();
                return;
            }
            seenPrimary = window->primaryBox()->text();
            seenLearner = window->learnerBox()->text();
            window->itemForCode(7)->setCheckState(0, Qt::Checked);
            window->save();
            window->doneButton()->click();
        });
        Q_EMIT screen->gridDisability()->buttonClicked(3, 2);

        QCOMPARE(seenPrimary, QStringLiteral("Hearing impairment"));
        QCOMPARE(seenLearner, QStringLiteral("MOKOENA Thabo"));
        QCOMPARE(text(screen->gridDisability(), 2, 2), QStringLiteral("Physical disability, Specific learning disability"));
        QVERIFY(!screen->gridDisability()->cells().cell(1, 2).items.contains(QStringLiteral("Specific learning disability")));
        // The stored primary replaces the unsaved choice; the text edit stays.
        QCOMPARE(text(screen->gridDisability(), 1, 2), QStringLiteral("Hearing impairment"));
        QCOMPARE(text(screen->gridFamilySituation(), 1, 3), QStringLiteral("unsaved text"));
    }
};

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
