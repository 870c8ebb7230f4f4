// The shared routines and the message boxes every screen relies on.
#include "CentralRoutines.h"
#include "ChangeFlag.h"
#include "MessageBoxes.h"
#include "MessageRecorder.h"

#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestCentralRoutines : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void errorReportHasThreeLinesAndNumberedTitle();
    void errorReportKeepsSignAndDropsDecimals();
    void sqlTextDoublesApostrophesAndBlanksEmpty();
    void yearListRunsFromThisYearTo2008();
    void reportYearRefusesBlank();
    void dropFirstChar_data();
    void dropFirstChar();
    void lookupIsExactAndCaseSensitive();
    void confirmLeaveWithoutChangesClosesSilently();
    void confirmLeaveAnswersNoAndYes();
    void boxKindsHaveTheirTitlesButtonsAndPictures();
    void picturesAreDrawnAndDistinct();
    void realYesNoBoxDefaultsToNo();
};

void TestCentralRoutines::errorReportHasThreeLinesAndNumberedTitle()
{
    MessageRecorder boxes;
    ReportError(QStringLiteral("frmBackgroundInfo"), QStringLiteral("Item not found."),
                QStringLiteral("getBackground_Info Routine"), 3265);
    QCOMPARE(boxes.count(), 1);
    const MessageBoxCall call = boxes.last();
    QCOMPARE(call.title, QStringLiteral("Error : 3265"));
    QCOMPARE(call.text.split(QStringLiteral("\r\n")),
             QStringList({QStringLiteral("Error Description: Item not found."),
                          QStringLiteral("Location: frmBackgroundInfo"),
                          QStringLiteral("Procedure: getBackground_Info Routine")}));
    QCOMPARE(call.buttons, MsgCode::OkOnly);
    QCOMPARE(call.picture, Picture::Error);
}

void TestCentralRoutines::errorReportKeepsSignAndDropsDecimals()
{
    MessageRecorder boxes;
    ReportError(QString(), QString(), QString(), -2147217865.0);
    ReportError(QString(), QString(), QString(), 0);
    QCOMPARE(boxes.titles(), QStringList({QStringLiteral("Error : -2147217865"), QStringLiteral("Error : 0")}));
    // Empty texts are shown as they are.
    QVERIFY(boxes.last().text.startsWith(QStringLiteral("Error Description: \r\nLocation: \r\n")));
}

void TestCentralRoutines::sqlTextDoublesApostrophesAndBlanksEmpty()
{
    QCOMPARE(SqlText(QStringLiteral("O'Brien")), QStringLiteral("O''Brien"));
    QCOMPARE(SqlText(QStringLiteral("''")), QStringLiteral("''''"));
    QCOMPARE(SqlText(QString()), QStringLiteral(" "));
    QCOMPARE(SqlText(QStringLiteral("   ")), QStringLiteral("   "));
    QCOMPARE(SqlText(QStringLiteral("Zoë \"Jo\"\r\nline")), QStringLiteral("Zoë \"Jo\"\r\nline"));
}

void TestCentralRoutines::yearListRunsFromThisYearTo2008()
{
    QComboBox list;
    list.addItem(QStringLiteral("stale"));
    FillYearList(&list);
    const int thisYear = QDate::currentDate().year();
    QCOMPARE(list.count(), thisYear - 2008 + 1);
    QCOMPARE(list.itemText(0), QString::number(thisYear));
    QCOMPARE(list.itemText(list.count() - 1), QStringLiteral("2008"));
    QCOMPARE(list.currentText(), QString::number(thisYear));
}

void TestCentralRoutines::reportYearRefusesBlank()
{
    MessageRecorder boxes;
    QComboBox list;
    QVERIFY(!CheckReportYear(&list));
    QCOMPARE(boxes.last().text, QStringLiteral("Please select Report Year to continue."));
    QCOMPARE(boxes.last().title, QStringLiteral("User Message"));
    list.addItem(QStringLiteral("2014"));
    QVERIFY(CheckReportYear(&list));
    QCOMPARE(boxes.count(), 1);
}

void TestCentralRoutines::dropFirstChar_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("key") << QStringLiteral("K12") << QStringLiteral("12");
    QTest::newRow("one char") << QStringLiteral("K") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestCentralRoutines::dropFirstChar()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(DropFirstChar(text), expected);
}

void TestCentralRoutines::lookupIsExactAndCaseSensitive()
{
    const CodeTable table = {{QStringLiteral("3"), QStringLiteral("Epilepsy")},
                             {QStringLiteral("40001"), QStringLiteral("Autism ")}};
    QCOMPARE(LookupCodeByText(QStringLiteral("Epilepsy"), table), 3);
    QCOMPARE(LookupCodeByText(QStringLiteral("epilepsy"), table), 0);
    QCOMPARE(LookupCodeByText(QStringLiteral("Autism"), table), 0);     // untrimmed compare
    QCOMPARE(LookupCodeByText(QStringLiteral("Autism "), table), 40001); // codes are 32-bit
    QCOMPARE(LookupCodeByText(QStringLiteral("   "), table), 0);
}

void TestCentralRoutines::confirmLeaveWithoutChangesClosesSilently()
{
    MessageRecorder boxes;
    QDialog screen;
    QPushButton save(&screen);
    screen.show();
    QVERIFY(ConfirmLeaveSection(&save, &screen));
    QVERIFY(!screen.isVisible());
    QCOMPARE(boxes.count(), 0);
}

void TestCentralRoutines::confirmLeaveAnswersNoAndYes()
{
    MessageRecorder boxes;
    QDialog screen;
    QPushButton save(&screen);
    ChangeFlag::markChanged(&save);
    screen.show();

    boxes.answerNo();
    QVERIFY(!ConfirmLeaveSection(&save, &screen));
    QVERIFY(screen.isVisible());
    QVERIFY(ChangeFlag::isChanged(&save));
    const MessageBoxCall question = boxes.last();
    QCOMPARE(question.text, QStringLiteral("You have NOT saved your data. Are you sure you want to exit without saving?"));
    QCOMPARE(question.title, QStringLiteral("Data has NOT been Saved"));
    QCOMPARE(question.buttons, MsgCode::YesNo + MsgCode::DefaultButton2);
    QCOMPARE(question.picture, Picture::Stop);

    boxes.answerYes();
    QVERIFY(ConfirmLeaveSection(&save, &screen));
    QVERIFY(!screen.isVisible());
}

void TestCentralRoutines::boxKindsHaveTheirTitlesButtonsAndPictures()
{
    MessageRecorder boxes;
    ShowUserMessage(QStringLiteral("a"));
    boxes.answerNo();
    QVERIFY(!AskUserQuestion(QStringLiteral("b")));
    boxes.answerYes();
    QVERIFY(AskUserQuestion(QStringLiteral("b")));
    boxes.answerNo();
    QVERIFY(!AskUserWarning(QStringLiteral("c")));
    boxes.answerNext(MsgCode::AnswerOk);   // anything but No counts as yes
    QVERIFY(AskUserWarning(QStringLiteral("c")));
    ShowDataSaved();

    const QVector<MessageBoxCall> &calls = boxes.calls();
    QCOMPARE(calls.size(), 6);
    QCOMPARE(calls[0].title, QStringLiteral("User Message"));
    QCOMPARE(calls[0].buttons, MsgCode::OkOnly);
    QCOMPARE(calls[0].picture, Picture::Message);
    QCOMPARE(calls[1].title, QStringLiteral("User Question?"));
    QCOMPARE(calls[1].buttons, 260);
    QCOMPARE(calls[1].picture, Picture::Question);
    QCOMPARE(calls[3].title, QStringLiteral("User Warning"));
    QCOMPARE(calls[3].buttons, 260);
    QCOMPARE(calls[3].picture, Picture::Stop);
    QCOMPARE(calls[5].title, QStringLiteral("Data Saved"));
    QCOMPARE(calls[5].text, QStringLiteral("Your Information has been Saved."));
    QCOMPARE(calls[5].picture, Picture::Saved);
}

void TestCentralRoutines::picturesAreDrawnAndDistinct()
{
    QVector<QImage> images;
    for (Picture p : {Picture::Message, Picture::Question, Picture::Stop, Picture::Saved, Picture::Error}) {
        const QImage image = picturePixmap(p, 32).toImage();
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 0;
        QVERIFY2(opaque > 200, "every picture draws something");
        for (const QImage &other : std::as_const(images))
            QVERIFY(other != image);
        images.append(image);
    }
}

// The real box: our picture instead of the standard icon, and Enter answers
// the default button (No) of a warning.
void TestCentralRoutines::realYesNoBoxDefaultsToNo()
{
    setMessageResponder({});
    bool sawPicture = false;
    QString shownText;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        sawPicture = box->icon() == QMessageBox::NoIcon && !box->iconPixmap().isNull();
        shownText = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QVERIFY(!AskUserWarning(QStringLiteral("Append?\r\nSecond line")));
    QVERIFY(sawPicture);
    QCOMPARE(shownText, QStringLiteral("Append?\nSecond line"));
}

QTEST_MAIN(TestCentralRoutines)
#include "tst_centralroutines.moc"
