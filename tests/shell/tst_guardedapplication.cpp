// The last net under every handler: an exception that escapes one becomes one
// error report, and the program goes on.
#include "GuardedApplication.h"
#include "MessageRecorder.h"
#include "StoreError.h"

#include <QPushButton>
#include <QtTest>

#include <stdexcept>

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
        window.setObjectName(QStringLiteral("frmSomewhere"));
        auto *button = new QPushButton(QStringLiteral("Go"), &window);
        int clicks = 0;
        connect(button, &QPushButton::clicked, this, [&] {
            ++clicks;
            if (storeFailure)
                throw StoreError(5, QStringLiteral("database is locked"));
            throw std::runtime_error("out of range");
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        MessageRecorder boxes;
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);   // the program is still there
        QCOMPARE(clicks, 2);
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.last().title, storeFailure ? QStringLiteral("Error : 5") : QStringLiteral("Error : 0"));
        QVERIFY(boxes.last().text.contains(storeFailure ? QStringLiteral("database is locked") : QStringLiteral("out of range")));
        QVERIFY(boxes.last().text.contains(QStringLiteral("Location: frmSomewhere")));
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
