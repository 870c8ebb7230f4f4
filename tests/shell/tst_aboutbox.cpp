// The About box: version, database in use, engine and settings file, and the
// learner list's button that opens it from the keyboard.
#include "AboutBox.h"
#include "AppState.h"
#include "SelectLearner.h"
#include "Settings.h"

#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

class TestAboutBox : public QObject
{
    Q_OBJECT

private:
    QString settingsFile() const { return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/VantorEmis.conf"); }

private Q_SLOTS:
    void init()
    {
        resetAppState();
        QFile::remove(settingsFile());
    }

    void showsVersionDatabaseEngineAndSettingsFile()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"));
        appState().DatabasePath = QStringLiteral("/srv/school/harbrook.db");
        AboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About SNA"));
        QCOMPARE(box.line(QStringLiteral("lblVersion")), QStringLiteral("1.1"));
        QCOMPARE(box.line(QStringLiteral("lblDatabase")), QStringLiteral("/srv/school/harbrook.db"));
        QCOMPARE(box.line(QStringLiteral("lblEngine")), QStringLiteral("SQLite"));
        QCOMPARE(box.line(QStringLiteral("lblSettings")), settingsFile());
        QVERIFY(settingsFile().endsWith(QStringLiteral("/config/VantorEmis.conf")));
    }

    void beforeStartUpTheRegisteredDatabaseIsShown()
    {
        QCOMPARE(AboutBox().line(QStringLiteral("lblDatabase")), QStringLiteral("(none registered)"));
        Settings::setDatabasePath(QStringLiteral("/home/office/school.db"));
        QCOMPARE(AboutBox().line(QStringLiteral("lblDatabase")), QStringLiteral("/home/office/school.db"));
    }

    void keyboardOpensReadsAndClosesIt()
    {
        frmSelectLearner list;
        QPushButton *about = list.button(QStringLiteral("cmdAbout"));
        QVERIFY(about);
        QCOMPARE(about->text(), QStringLiteral("&About"));
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));

        QStringList seen;
        QTimer waiter;
        waiter.setInterval(10);
        connect(&waiter, &QTimer::timeout, this, [&seen, &waiter] {
            auto *box = qobject_cast<AboutBox *>(QApplication::activeModalWidget());
            if (!box || !box->isActiveWindow())
                return;
            waiter.stop();
            seen << QApplication::focusWidget()->objectName();
            // Tab walks the lines, which can be selected and copied.
            for (int i = 0; i < 4; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                seen << QApplication::focusWidget()->objectName();
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        waiter.start();
        // Tab reaches the button, Space presses it.
        for (int i = 0; i < 20 && QApplication::focusWidget() != about; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), about);
        QTest::keyClick(about, Qt::Key_Space);
        waiter.stop();
        QCOMPARE(seen, QStringList({QStringLiteral("cmdClose"), QStringLiteral("lblVersion"),
                                    QStringLiteral("lblDatabase"), QStringLiteral("lblEngine"),
                                    QStringLiteral("lblSettings")}));
        QVERIFY(!QApplication::activeModalWidget() || QApplication::activeModalWidget() == &list);
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
