// Section 1, background information: loading, the primary-disability check,
// saving (one transaction), input limits, leaving and the printed page.
#include "AppState.h"
#include "BackgroundInfo.h"
#include "ChangeFlag.h"
#include "MessageRecorder.h"
#include "MultipleDisabilities.h"
#include "PdfText.h"
#include "PrinterChoice.h"
#include "SpreadGrid.h"
#include "TestStore.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

constexpr int Year = 2014;
const QString Saved = QStringLiteral("Your Information has been saved.");
const QString Correction = QStringLiteral("The Primary Disablility is also added as an Additional Disability, "
                                          "please correct the information before saving.");

// A change as the user makes it: through the model, so the grid reports it.
bool type(grid::SpreadGrid *grid, int col, int row, const QString &text)
{
    return grid->model()->setData(grid->model()->index(row - 1, col - 1), text, Qt::EditRole);
}

QString text(grid::SpreadGrid *grid, int col, int row)
{
    return grid->cells().text(col, row);
}

// Top (points from the page's top edge) of the first word of the PDF that
// starts with `word`, or -1.
double wordTop(const QString &pdf, const QString &word)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression words(QStringLiteral("<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    for (const QRegularExpressionMatch &m : words.globalMatch(html)) {
        if (m.captured(2).startsWith(word))
            return m.captured(1).toDouble();
    }
    return -1;
}

} // namespace

class TestBackground : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestStore> store;
    std::unique_ptr<MessageRecorder> boxes;
    int learner = 0;

    // A learner with primary disability `primary` (a Disabilities id) and the
    // given additional disabilities.
    int addLearner(int primary, const QVector<int> &additional = {})
    {
        const int id = store->addLearner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"), QStringLiteral("C"), 2,
                                         QString(), 3, QStringLiteral("A1234"), QStringLiteral("20080315"), primary);
        for (int code : additional)
            store->exec(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) "
                                       "VALUES (%1, %2, 'K1', '2013-02-01')").arg(id).arg(code));
        store->pickLearner(id, Year);
        return id;
    }

    void storeRow(int id, int year, const QString &nature, const QString &family)
    {
        store->exec(QStringLiteral("INSERT INTO SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, "
                                   "Name_Of_Provider, Contact_Details, Family_Situation, Parent_Understanding_Of_Child, "
                                   "Data_Year) VALUES (%1, '%2', NULL, 'Tel 012', '%3', 'Likes music', %4)")
                        .arg(id).arg(nature, family).arg(year));
    }

    QVariant stored(const QString &column, int year = Year)
    {
        return store->scalar(QStringLiteral("SELECT %1 FROM SNE_Learner_Background_Info WHERE LearnerID = %2 "
                                            "AND Data_Year = %3").arg(column).arg(learner).arg(year));
    }

    int storedPrimary()
    {
        return store->scalar(QStringLiteral("SELECT LSENDisabilities FROM Learner_Info WHERE ID = %1").arg(learner)).toInt();
    }

    std::unique_ptr<frmBackgroundInfo> open()
    {
        auto screen = std::make_unique<frmBackgroundInfo>();
        screen->loadScreen();
        return screen;
    }

private Q_SLOTS:
    void init()
    {
        resetAppState();
        store = std::make_unique<TestStore>();
        boxes = std::make_unique<MessageRecorder>();
    }
    void cleanup()
    {
        PrinterChoice::setChooser({});
        boxes.reset();
        store.reset();
    }

    void opensWithThePrimaryAndAnEmptyYear()
    {
        learner = addLearner(2, {3, 12});
        storeRow(learner, Year - 1, QStringLiteral("last year"), QStringLiteral("old"));
        auto screen = open();

        QCOMPARE(screen->windowTitle(), QStringLiteral("SNA [Section 1: BACKGROUND INFORMATION ON LEARNER]"));
        QCOMPARE(screen->learnerLabel()->text(), QStringLiteral("MOKOENA Thabo : Acc Number: A1234"));
        QCOMPARE(screen->yearBox()->text(), QStringLiteral("2014"));
        QCOMPARE(screen->printButton()->objectName(), QStringLiteral("cmdPrintPage"));
        for (int col = 1; col <= 3; ++col)
            QCOMPARE(text(screen->gridEarlyIntervention(), col, 3), QString());
        QCOMPARE(text(screen->gridFamilySituation(), 1, 3), QString());

        QCOMPARE(text(screen->gridDisability(), 1, 2), QStringLiteral("Hearing impairment"));
        QCOMPARE(text(screen->gridDisability(), 2, 2), QStringLiteral("Physical disability, Cerebral palsy"));
        // The list leaves out the additional disabilities.
        const QStringList items = screen->gridDisability()->cells().cell(1, 2).items;
        QCOMPARE(items.size(), 11);
        QVERIFY(items.contains(QStringLiteral("Hearing impairment")));
        QVERIFY(!items.contains(QStringLiteral("Physical disability")));
        QVERIFY(!items.contains(QStringLiteral("Cerebral palsy")));

        QVERIFY(!screen->hasUnsavedChanges());
        QCOMPARE(screen->gridEarlyIntervention()->activeCol(), 1);
        QCOMPARE(screen->gridEarlyIntervention()->activeRow(), 3);
        QCOMPARE(boxes->count(), 0);
    }

    void opensTheStoredRowOfTheYear()
    {
        learner = addLearner(6);
        storeRow(learner, Year, QStringLiteral("Speech therapy"), QStringLiteral("Lives with gran"));
        storeRow(learner, Year + 1, QStringLiteral("next year"), QStringLiteral("other"));
        auto screen = open();

        QCOMPARE(text(screen->gridEarlyIntervention(), 1, 3), QStringLiteral("Speech therapy"));
        QCOMPARE(text(screen->gridEarlyIntervention(), 2, 3), QString());   // NULL in the store
        QCOMPARE(text(screen->gridEarlyIntervention(), 3, 3), QStringLiteral("Tel 012"));
        QCOMPARE(text(screen->gridFamilySituation(), 1, 3), QStringLiteral("Lives with gran"));
        QCOMPARE(text(screen->gridParent_Understanding(), 1, 3), QStringLiteral("Likes music"));
        QCOMPARE(text(screen->gridDisability(), 1, 2), QStringLiteral("Epilepsy"));
        QCOMPARE(text(screen->gridDisability(), 2, 2), QString());
        QVERIFY(!screen->hasUnsavedChanges());
    }

    void noKnownPrimaryOffersEveryDisability_data()
    {
        QTest::addColumn<QString>("primary");
        QTest::newRow("none") << QStringLiteral("0");
        QTest::newRow("unknown code") << QStringLiteral("99");
        QTest::newRow("null") << QStringLiteral("NULL");
    }
    void noKnownPrimaryOffersEveryDisability()
    {
        QFETCH(QString, primary);
        learner = addLearner(0, {3});
        store->exec(QStringLiteral("UPDATE Learner_Info SET LSENDisabilities = %1 WHERE ID = %2").arg(primary).arg(learner));
        storeRow(learner, Year, QStringLiteral("kept out"), QStringLiteral("kept out"));
        auto screen = open();

        QCOMPARE(screen->gridDisability()->cells().cell(1, 2).items.size(), 13);
        QCOMPARE(text(screen->gridDisability(), 1, 2), QString());
        QCOMPARE(text(screen->gridEarlyIntervention(), 1, 3), QString());

        // Nothing chosen: the code written is 0.
        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("Home visits")));
        QVERIFY(screen->save());
        QCOMPARE(storedPrimary(), 0);
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(), QStringLiteral("Home visits"));

        QVERIFY(type(screen->gridDisability(), 1, 2, QStringLiteral("Autism spectrum disorder")));
        QVERIFY(screen->save());
        QCOMPARE(storedPrimary(), 5);
        QCOMPARE(store->count(QStringLiteral("SNE_Learner_Background_Info")), 1);
    }

    void primaryAlsoAdditionalIsRefused_data()
    {
        QTest::addColumn<int>("primary");
        QTest::addColumn<int>("additional");
        QTest::newRow("same disability") << 2 << 2;
        QTest::newRow("name inside a longer name") << 10 << 1;   // "Visual" in "Visual impairment"
    }
    void primaryAlsoAdditionalIsRefused()
    {
        QFETCH(int, primary);
        QFETCH(int, additional);
        learner = addLearner(primary, {additional});
        storeRow(learner, Year, QStringLiteral("as stored"), QStringLiteral("as stored"));
        const QString name = store->scalar(QStringLiteral("SELECT Name FROM Disabilities WHERE id = %1").arg(primary)).toString();
        auto screen = open();

        // Still shown on opening, and without a message.
        QCOMPARE(text(screen->gridDisability(), 1, 2), name);
        QVERIFY(screen->gridDisability()->cells().cell(1, 2).items.contains(name));
        QCOMPARE(boxes->count(), 0);

        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("changed")));
        QVERIFY(!screen->save());
        QCOMPARE(boxes->texts(), QStringList{Correction});
        QCOMPARE(boxes->last().title, QStringLiteral("User Message"));
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(), QStringLiteral("as stored"));
        QCOMPARE(storedPrimary(), primary);
        QVERIFY(screen->hasUnsavedChanges());
        QCOMPARE(screen->gridDisability()->activeCol(), 3);
    }

    void differentAdditionalDisabilitySaves()
    {
        learner = addLearner(11, {2});   // "Deaf" is not part of "Hearing impairment"
        auto screen = open();
        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("x")));
        QVERIFY(screen->save());
        QCOMPARE(boxes->texts(), QStringList{Saved});
        QCOMPARE(storedPrimary(), 11);
    }

    void saveWritesTheRowAndThePrimary()
    {
        learner = addLearner(2);
        storeRow(learner, Year, QStringLiteral("old"), QStringLiteral("old"));
        storeRow(learner, Year - 1, QStringLiteral("last year"), QStringLiteral("last year"));
        auto screen = open();

        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("Occupational therapy")));
        QVERIFY(screen->hasUnsavedChanges());
        QVERIFY(type(screen->gridEarlyIntervention(), 2, 3, QStringLiteral("District clinic")));
        QVERIFY(type(screen->gridEarlyIntervention(), 3, 3, QStringLiteral("012 345 6789")));
        QVERIFY(type(screen->gridFamilySituation(), 1, 3, QStringLiteral("Two siblings")));
        QVERIFY(type(screen->gridParent_Understanding(), 1, 3, QStringLiteral("Wants her to read")));
        QVERIFY(type(screen->gridDisability(), 1, 2, QStringLiteral("Epilepsy")));

        QVERIFY(screen->save());
        QCOMPARE(boxes->texts(), QStringList{Saved});
        QVERIFY(!screen->hasUnsavedChanges());
        QCOMPARE(store->count(QStringLiteral("SNE_Learner_Background_Info"),
                              QStringLiteral("LearnerID = %1 AND Data_Year = %2").arg(learner).arg(Year)), 1);
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(), QStringLiteral("Occupational therapy"));
        QCOMPARE(stored(QStringLiteral("Name_Of_Provider")).toString(), QStringLiteral("District clinic"));
        QCOMPARE(stored(QStringLiteral("Contact_Details")).toString(), QStringLiteral("012 345 6789"));
        QCOMPARE(stored(QStringLiteral("Family_Situation")).toString(), QStringLiteral("Two siblings"));
        QCOMPARE(stored(QStringLiteral("Parent_Understanding_Of_Child")).toString(), QStringLiteral("Wants her to read"));
        QCOMPARE(storedPrimary(), 6);
        QCOMPARE(screen->primaryDisabilityName(), QStringLiteral("Epilepsy"));
        // The other year is not touched.
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received"), Year - 1).toString(), QStringLiteral("last year"));
    }

    void emptyTextsWithAPrimaryStoreBlanks()
    {
        learner = addLearner(4);
        storeRow(learner, Year, QStringLiteral("old"), QStringLiteral("old"));
        auto screen = open();
        for (int col = 1; col <= 3; ++col)
            QVERIFY(type(screen->gridEarlyIntervention(), col, 3, QString()));
        QVERIFY(type(screen->gridFamilySituation(), 1, 3, QString()));
        QVERIFY(type(screen->gridParent_Understanding(), 1, 3, QString()));
        QVERIFY(screen->save());
        for (const char *column : {"Nature_Of_Support_Received", "Name_Of_Provider", "Contact_Details",
                                   "Family_Situation", "Parent_Understanding_Of_Child"})
            QCOMPARE(stored(QString::fromLatin1(column)).toString(), QStringLiteral(" "));

        // With no primary either there is nothing to keep: the row goes.
        QVERIFY(type(screen->gridDisability(), 1, 2, QString()));
        QVERIFY(screen->save());
        QCOMPARE(store->count(QStringLiteral("SNE_Learner_Background_Info"), QStringLiteral("LearnerID = %1").arg(learner)), 0);
    }

    void textsRoundTripAsTyped()
    {
        learner = addLearner(2);
        const QString nature = QStringLiteral("Mrs O'Brien's \"play\" group");
        const QString provider = QString::fromUtf8("Université de Genève – ß, ĉ, 日本");
        const QString contact = QStringLiteral("''");
        const QString family = QStringLiteral("Line one\nLine two\r\nLine 'three'");
        const QString parent = QStringLiteral(" leading and trailing ");
        {
            auto screen = open();
            QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, nature));
            QVERIFY(type(screen->gridEarlyIntervention(), 2, 3, provider));
            QVERIFY(type(screen->gridEarlyIntervention(), 3, 3, contact));
            QVERIFY(type(screen->gridFamilySituation(), 1, 3, family));
            QVERIFY(type(screen->gridParent_Understanding(), 1, 3, parent));
            QVERIFY(screen->save());
        }
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(), nature);
        QCOMPARE(stored(QStringLiteral("Name_Of_Provider")).toString(), provider);
        QCOMPARE(stored(QStringLiteral("Contact_Details")).toString(), contact);
        QCOMPARE(stored(QStringLiteral("Family_Situation")).toString(), family);
        QCOMPARE(stored(QStringLiteral("Parent_Understanding_Of_Child")).toString(), parent);

        auto again = open();
        QCOMPARE(text(again->gridEarlyIntervention(), 1, 3), nature);
        QCOMPARE(text(again->gridEarlyIntervention(), 2, 3), provider);
        QCOMPARE(text(again->gridFamilySituation(), 1, 3), family);
    }

    void failedSaveKeepsTheStoredRow_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("operation");
        QTest::newRow("insert of the row") << QStringLiteral("SNE_Learner_Background_Info") << QStringLiteral("INSERT");
        QTest::newRow("update of the learner") << QStringLiteral("Learner_Info") << QStringLiteral("UPDATE");
    }
    void failedSaveKeepsTheStoredRow()
    {
        QFETCH(QString, table);
        QFETCH(QString, operation);
        learner = addLearner(2);
        storeRow(learner, Year, QStringLiteral("as stored"), QStringLiteral("as stored"));
        auto screen = open();
        store->failWritesTo(table, operation);

        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("new text")));
        QVERIFY(type(screen->gridDisability(), 1, 2, QStringLiteral("Epilepsy")));
        QVERIFY(!screen->save());

        QCOMPARE(boxes->count(), 1);
        QVERIFY(boxes->last().title.startsWith(QStringLiteral("Error : ")));
        QVERIFY(boxes->sawText(QStringLiteral("Location: frmBackgroundInfo")));
        QVERIFY(boxes->sawText(QStringLiteral("Procedure: saveBackgroundInfo Routine")));
        QVERIFY(!boxes->sawText(Saved));
        QVERIFY(screen->hasUnsavedChanges());
        QCOMPARE(store->count(QStringLiteral("SNE_Learner_Background_Info"), QStringLiteral("LearnerID = %1").arg(learner)), 1);
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(), QStringLiteral("as stored"));
        QCOMPARE(storedPrimary(), 2);

        // Once the store takes writes again, the same screen saves.
        store->allowWritesTo(table, operation);
        QVERIFY(screen->save());
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")).toString(), QStringLiteral("new text"));
        QCOMPARE(storedPrimary(), 6);
    }

    void cellsAreHeldToTheirColumns()
    {
        learner = addLearner(2);
        auto screen = open();
        grid::SpreadGrid *early = screen->gridEarlyIntervention();

        // A paste into the cell's editor is cut at the column's width.
        QWidget *editor = early->itemDelegate()->createEditor(early->viewport(), QStyleOptionViewItem(),
                                                              early->model()->index(2, 0));
        auto *plain = qobject_cast<QPlainTextEdit *>(editor);
        QVERIFY(plain);
        plain->insertPlainText(QString(300, QLatin1Char('a')));
        QCOMPARE(plain->toPlainText().size(), 255);
        delete editor;

        QVERIFY(type(early, 1, 3, QString(300, QLatin1Char('b'))));
        QCOMPARE(text(early, 1, 3).size(), 255);
        QVERIFY(type(screen->gridFamilySituation(), 1, 3, QString(2500, QLatin1Char('c'))));
        QCOMPARE(text(screen->gridFamilySituation(), 1, 3).size(), 2000);
        QVERIFY(screen->save());
        QCOMPARE(stored(QStringLiteral("length(Nature_Of_Support_Received)")).toInt(), 255);
        QCOMPARE(stored(QStringLiteral("length(Family_Situation)")).toInt(), 2000);
    }

    void mainMenuAsksAboutUnsavedEdits()
    {
        learner = addLearner(2);
        auto screen = open();
        QVERIFY(screen->leave(SectionScreen::Target::MainMenu));
        QCOMPARE(boxes->count(), 0);

        screen = open();
        QVERIFY(type(screen->gridParent_Understanding(), 1, 3, QStringLiteral("unsaved")));
        QVERIFY(screen->hasUnsavedChanges());
        boxes->answerNo();
        QVERIFY(!screen->leave(SectionScreen::Target::MainMenu));
        QCOMPARE(boxes->last().title, QStringLiteral("Data has NOT been Saved"));
        QCOMPARE(boxes->last().text,
                 QStringLiteral("You have NOT saved your data. Are you sure you want to exit without saving?"));
        QCOMPARE(text(screen->gridParent_Understanding(), 1, 3), QStringLiteral("unsaved"));
        QVERIFY(screen->hasUnsavedChanges());

        boxes->answerYes();
        QVERIFY(screen->leave(SectionScreen::Target::MainMenu));
        QCOMPARE(store->count(QStringLiteral("SNE_Learner_Background_Info")), 0);
    }

    void printsThePage()
    {
        learner = addLearner(2, {3});
        appState().EmisCode = QStringLiteral("700310455");
        auto screen = open();
        // Unsaved edits print as they stand.
        QVERIFY(type(screen->gridEarlyIntervention(), 1, 3, QStringLiteral("Remedial classes")));
        QVERIFY(type(screen->gridParent_Understanding(), 1, 3, QStringLiteral("Proud of her drawings")));

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
        QVERIFY(screen->printPageNow());
        QCOMPARE(boxes->count(), 0);
        QVERIFY(screen->hasUnsavedChanges());

        QCOMPARE(PdfText::pageCount(pdf), 1);
        const QString page = PdfText::all(pdf);
        QVERIFY2(page.contains(QStringLiteral("EMIS NUMBER: 700310455 [ BACKGROUND INFORMATION OF LEARNER ]")),
                 qPrintable(page));
        QVERIFY(page.contains(QRegularExpression(QStringLiteral("LEARNER NAME : MOKOENA Thabo\\s+ASSESION NUMBER: A1234"))));
        for (const QString &cell : {QStringLiteral("1.1 Early intervention services"), QStringLiteral("Remedial classes"),
                                    QStringLiteral("1.2 State disability (if any)"), QStringLiteral("Hearing impairment"),
                                    QStringLiteral("Physical disability"), QStringLiteral("1.3 Family and home situation"),
                                    QStringLiteral("1.4 Parent's understanding of the child"),
                                    QStringLiteral("Proud of her drawings")})
            QVERIFY2(page.contains(cell), qPrintable(cell));

        // Each block sits at its own top (twips from the printable area's top;
        // the PDF chooser leaves a 10 mm margin), its first text just inside
        // the cell's padding.
        const double margin = 10 / 25.4 * 72;
        const QVector<QPair<QString, double>> blocks = {
            {QStringLiteral("1.1"), 800}, {QStringLiteral("1.2"), 2500}, {QStringLiteral("1.3"), 3500}, {QStringLiteral("1.4"), 6000}};
        for (const auto &[word, twips] : blocks) {
            const double offset = wordTop(pdf, word) - (margin + twips / 20.0);
            QVERIFY2(offset >= 0 && offset < 3, qPrintable(word + QStringLiteral(": ") + QString::number(offset)));
        }
    }

    void printsWithoutAnEmisNumber()
    {
        learner = addLearner(2);
        appState().EmisCode.clear();
        auto screen = open();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
        QVERIFY(screen->printPageNow());
        const QString page = PdfText::all(pdf);
        QVERIFY2(page.contains(QRegularExpression(QStringLiteral("EMIS NUMBER:\\s+\\[ BACKGROUND INFORMATION OF LEARNER \\]"))),
                 qPrintable(page));
    }

    void cancelledPrinterPrintsNothing()
    {
        learner = addLearner(2);
        auto screen = open();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        PrinterChoice::setChooser([](QWidget *, QPageLayout::Orientation) { return std::unique_ptr<QPrinter>(); });
        QVERIFY(!screen->printPageNow());
        QCOMPARE(boxes->count(), 1);
        QVERIFY(boxes->last().title.startsWith(QStringLiteral("Error : ")));
        QVERIFY(boxes->sawText(QStringLiteral("Procedure: Print Routine")));
        QVERIFY(boxes->sawText(QStringLiteral("Location: frmBackgroundInfo")));
        QVERIFY(!QFile::exists(pdf));
    }

    void additionalDisabilitiesButtonReloadsTheDisabilityRow()
    {
        learner = addLearner(2, {3});
        auto screen = open();
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
