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

using namespace Qt::StringLiterals;

class TestAboutBox : public QObject
{
    Q_OBJECT

private:
    QString settingsFile() const { return qEnvironmentVariable("XDG_CONFIG_HOME") + u"/VantorEmis.conf"_s; }

private Q_SLOTS:
    void init()
    {
        resetAppState();
        QFile::remove(settingsFile());
    }

    // Before start-up the database the settings register is shown, then the one in use.
    void showsVersionDatabaseEngineAndSettingsFile()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"));
        QCOMPARE(AboutBox().line(u"lblDatabase"_s), u"(none registered)"_s);
        Settings::setDatabasePath(u"/home/office/school.db"_s);
        QCOMPARE(AboutBox().line(u"lblDatabase"_s), u"/home/office/school.db"_s);
        appState().DatabasePath = u"/srv/school/harbrook.db"_s;
        AboutBox box;
        QCOMPARE(box.windowTitle(), u"About SNA"_s);
        QCOMPARE(box.line(u"lblVersion"_s), u"1.1"_s);
        QCOMPARE(box.line(u"lblDatabase"_s), u"/srv/school/harbrook.db"_s);
        QCOMPARE(box.line(u"lblEngine"_s), u"SQLite"_s);
        QCOMPARE(box.line(u"lblSettings"_s), settingsFile());
        QVERIFY(settingsFile().endsWith(u"/config/VantorEmis.conf"_s));
    }

    void keyboardOpensReadsAndClosesIt()
    {
        frmSelectLearner list;
        QPushButton *about = list.button(u"cmdAbout"_s);
        QVERIFY(about);
        QCOMPARE(about->text(), u"&About"_s);
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
        QCOMPARE(seen, QStringList({u"cmdClose"_s, u"lblVersion"_s, u"lblDatabase"_s, u"lblEngine"_s, u"lblSettings"_s}));
        QVERIFY(!QApplication::activeModalWidget() || QApplication::activeModalWidget() == &list);
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
