#include "EveryScreen.h"
#include "FocusMarker.h"
#include "GuardedApplication.h"
#include "LockWaitNotice.h"
#include "MessageBoxes.h"
#include "ReportScreensRegistration.h"
#include "ScreenRegistry.h"
#include "SelectLearner.h"
#include "SelectYear.h"
#include "Version.h"

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    // Answered before any window system is needed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("sna %s\n", Sna::Version);
        return 0;
    }
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SNA"));
    QApplication::setApplicationVersion(QString::fromLatin1(Sna::Version));
    // Matches the desktop entry, so the desktop shows the menu entry's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vantoremis.sna"));
    QApplication::setWindowIcon(QIcon(picturePixmap(Picture::Learners, 64)));
    LockWaitNotice::install();
    FocusMarker::install();
    registerEveryScreen(ScreenRegistry::instance());
    registerReportScreens();

    frmSelectYear yearScreen;
    if (yearScreen.exec() != QDialog::Accepted)
        return 0;

    frmSelectLearner learnerScreen;
    if (!learnerScreen.startUp())
        return 1;
    learnerScreen.exec();
    return 0;
}
