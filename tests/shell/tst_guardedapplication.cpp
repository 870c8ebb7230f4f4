// The last net under every handler: an exception that escapes one becomes one
// error report, and the program goes on.
#include "GuardedApplication.h"
#include "MessageRecorder.h"
#include "StoreError.h"

#include <QPushButton>
#include <QtTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

class TestGuardedApplication : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void escapedFailureBecomesOneReport_data()
    {
        QTest::addColumn<bool>("storeFailure");
        QTest::newRow("store failure") << true;
        QTest::newRow("other failure") << false;
    }

    void escapedFailureBecomesOneReport()
    {
        QFETCH(bool, storeFailure);
        QWidget window;
        window.setObjectName(u"frmSomewhere"_s);
        auto *button = new QPushButton(u"Go"_s, &window);
        int clicks = 0;
        connect(button, &QPushButton::clicked, this, [&] {
            ++clicks;
            if (storeFailure)
                throw StoreError(5, u"database is locked"_s);
            throw std::runtime_error("out of range");
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        MessageRecorder boxes;
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);   // the program is still there
        QCOMPARE(clicks, 2);
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.last().title, storeFailure ? u"Error : 5"_s : u"Error : 0"_s);
        QVERIFY(boxes.last().text.contains(storeFailure ? u"database is locked"_s : u"out of range"_s));
        QVERIFY(boxes.last().text.contains(u"Location: frmSomewhere"_s));
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? QByteArray("offscreen")
                                                                               : qgetenv("QT_QPA_PLATFORM"));
    GuardedApplication app(argc, argv);
    TestGuardedApplication test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_guardedapplication.moc"
