// The shared routines and the message boxes every screen relies on.
#include "CentralRoutines.h"
#include "ChangeFlag.h"
#include "MessageBoxes.h"
#include "MessageRecorder.h"

#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class TestCentralRoutines : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void errorReportHasThreeLinesAndNumberedTitle()
    {
        MessageRecorder boxes;
        ReportError(QStringLiteral("frmBackgroundInfo"), QStringLiteral("Item not found."),
                    QStringLiteral("getBackground_Info Routine"), 3265);
        ReportError(QString(), QString(), QString(), -2147217865.0);
        ReportError(QString(), QString(), QString(), 0);
        QCOMPARE(boxes.titles(), QStringList({QStringLiteral("Error : 3265"), QStringLiteral("Error : -2147217865"),
                                              QStringLiteral("Error : 0")}));
        QCOMPARE(boxes.calls().first().text, QStringLiteral("Error Description: Item not found.\r\nLocation: frmBackgroundInfo"
                                                            "\r\nProcedure: getBackground_Info Routine"));
        QCOMPARE(boxes.last().text, QStringLiteral("Error Description: \r\nLocation: \r\nProcedure: "));   // empty texts as they are
        for (const MessageBoxCall &call : boxes.calls()) {
            QCOMPARE(call.buttons, MsgCode::OkOnly);
            QCOMPARE(call.picture, Picture::Error);
        }
    }

    void textRoutines_data()
    {
        QTest::addColumn<bool>("sql");   // SqlText, else DropFirstChar
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sql: apostrophe doubled") << true << QStringLiteral("O'Brien") << QStringLiteral("O''Brien");
        QTest::newRow("sql: only apostrophes") << true << QStringLiteral("''") << QStringLiteral("''''");
        QTest::newRow("sql: empty is a blank") << true << QString() << QStringLiteral(" ");
        QTest::newRow("sql: blanks kept") << true << QStringLiteral("   ") << QStringLiteral("   ");
        QTest::newRow("sql: rest as typed") << true << QStringLiteral("Zoë \"Jo\"\r\nline") << QStringLiteral("Zoë \"Jo\"\r\nline");
        QTest::newRow("drop: key") << false << QStringLiteral("K12") << QStringLiteral("12");
        QTest::newRow("drop: one char") << false << QStringLiteral("K") << QString();
        QTest::newRow("drop: empty") << false << QString() << QString();
    }

    void textRoutines()
    {
        QFETCH(bool, sql);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(sql ? SqlText(text) : DropFirstChar(text), expected);
    }

    void yearListAndReportYear()
    {
        MessageRecorder boxes;
        QComboBox list;
        QVERIFY(!CheckReportYear(&list));
        QCOMPARE(boxes.last().text, QStringLiteral("Please select Report Year to continue."));
        QCOMPARE(boxes.last().title, QStringLiteral("User Message"));

        list.addItem(QStringLiteral("stale"));
        FillYearList(&list);
        const int thisYear = QDate::currentDate().year();
        QCOMPARE(list.count(), thisYear - 2008 + 1);
        QCOMPARE(list.itemText(0), QString::number(thisYear));
        QCOMPARE(list.itemText(list.count() - 1), QStringLiteral("2008"));
        QCOMPARE(list.currentText(), QString::number(thisYear));
        QVERIFY(CheckReportYear(&list));
        QCOMPARE(boxes.count(), 1);
    }

    void lookupIsExactAndCaseSensitive()
    {
        const CodeTable table = {{QStringLiteral("3"), QStringLiteral("Epilepsy")},
                                 {QStringLiteral("40001"), QStringLiteral("Autism ")}};
        QCOMPARE(LookupCodeByText(QStringLiteral("Epilepsy"), table), 3);
        QCOMPARE(LookupCodeByText(QStringLiteral("epilepsy"), table), 0);
        QCOMPARE(LookupCodeByText(QStringLiteral("Autism"), table), 0);     // untrimmed compare
        QCOMPARE(LookupCodeByText(QStringLiteral("Autism "), table), 40001); // codes are 32-bit
        QCOMPARE(LookupCodeByText(QStringLiteral("   "), table), 0);
    }

    void confirmLeaveAsksOnlyWithChanges()
    {
        MessageRecorder boxes;
        QDialog screen;
        QPushButton save(&screen);
        screen.show();
        QVERIFY(ConfirmLeaveSection(&save, &screen));
        QVERIFY(!screen.isVisible());
        QCOMPARE(boxes.count(), 0);

        ChangeFlag::markChanged(&save);
        screen.show();
        boxes.answerNo();
        QVERIFY(!ConfirmLeaveSection(&save, &screen));
        QVERIFY(screen.isVisible());
        QVERIFY(ChangeFlag::isChanged(&save));
        QCOMPARE(boxes.last().text, QStringLiteral("You have NOT saved your data. Are you sure you want to exit without saving?"));
        QCOMPARE(boxes.last().title, QStringLiteral("Data has NOT been Saved"));
        QCOMPARE(boxes.last().buttons, MsgCode::YesNo + MsgCode::DefaultButton2);
        QCOMPARE(boxes.last().picture, Picture::Stop);
        boxes.answerYes();
        QVERIFY(ConfirmLeaveSection(&save, &screen));
        QVERIFY(!screen.isVisible());
    }

    void boxKindsHaveTheirTitlesButtonsAndPictures()
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

        QCOMPARE(boxes.titles(), QStringList({QStringLiteral("User Message"), QStringLiteral("User Question?"),
                                              QStringLiteral("User Question?"), QStringLiteral("User Warning"),
                                              QStringLiteral("User Warning"), QStringLiteral("Data Saved")}));
        QCOMPARE(boxes.calls()[5].text, QStringLiteral("Your Information has been Saved."));
        const QVector<int> buttons = {MsgCode::OkOnly, 260, 260, 260, 260, MsgCode::OkOnly};
        const QVector<Picture> pictures = {Picture::Message, Picture::Question, Picture::Question,
                                           Picture::Stop, Picture::Stop, Picture::Saved};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(boxes.calls()[i].buttons, buttons[i]);
            QCOMPARE(boxes.calls()[i].picture, pictures[i]);
        }
    }

    void picturesAreDrawnAndDistinct()
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
    void realYesNoBoxDefaultsToNo()
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
};

QTEST_MAIN(TestCentralRoutines)
#include "tst_centralroutines.moc"
