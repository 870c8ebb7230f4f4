// sna-admin demo-host: a demo school to try the program on, registered as the
// program's database unless another one is registered already.

#include "AdminCommand.h"
#include "DemoHost.h"
#include "Settings.h"
#include "StoreError.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <stdexcept>

namespace {

const QString CommandName = QStringLiteral("demo-host");
constexpr int MinimumLearners = 60;

// Where a demo school goes when neither --db nor the settings name a file:
// the user's data folder (~/.local/share/VantorEmis/demo-school.db on Linux).
QString defaultDemoPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/VantorEmis/demo-school.db");
}

int runDemoHost(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("db"), QString(), QStringLiteral("PATH")});
    parser.addOption({QStringLiteral("learners"), QString(), QStringLiteral("N")});
    parser.addOption({QStringLiteral("register"), QString()});
    parser.addOption({QStringLiteral("if-unset"), QString()});
    if (!Admin::parseArguments(parser, CommandName, args))
        return Admin::ExitUsage;

    // First run of the demo: only when this computer has no database yet.
    if (parser.isSet(QStringLiteral("if-unset")) && Settings::hasDatabasePath()) {
        Admin::printLine(QStringLiteral("the registered database %1 is used")
                             .arg(QDir::toNativeSeparators(Settings::databasePath())));
        return 0;
    }

    int learners = MinimumLearners;
    if (parser.isSet(QStringLiteral("learners"))) {
        bool ok = false;
        learners = parser.value(QStringLiteral("learners")).toInt(&ok);
        if (!ok || learners < MinimumLearners)
            return Admin::usageError(CommandName,
                                     QStringLiteral("--learners takes a whole number of %1 or more").arg(MinimumLearners));
    }

    QString path = Admin::databaseArgument(parser);
    if (path.isEmpty())
        path = defaultDemoPath();
    path = QFileInfo(path).absoluteFilePath();

    if (QFileInfo::exists(path)) {
        Admin::printError(QStringLiteral("sna-admin demo-host: %1 already exists; a demo school never replaces a file")
                              .arg(QDir::toNativeSeparators(path)));
        return Admin::ExitFailed;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    try {
        DemoHost::createDemoHost(path, learners);
    } catch (const StoreError &error) {
        Admin::printError(QStringLiteral("sna-admin demo-host: %1 (%2)").arg(error.description()).arg(error.number()));
        return Admin::ExitFailed;
    } catch (const std::exception &error) {
        Admin::printError(QStringLiteral("sna-admin demo-host: ") + QString::fromUtf8(error.what()));
        return Admin::ExitFailed;
    }
    Admin::printLine(QStringLiteral("created demo host database %1 (%2 learners)")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(learners));

    const QString registered = Settings::databasePath();
    if (registered.isEmpty() || parser.isSet(QStringLiteral("register"))) {
        Settings::setDatabasePath(path);
        Admin::printLine(QStringLiteral("registered %1 as the program's database").arg(QDir::toNativeSeparators(path)));
    } else if (registered == path) {
        Admin::printLine(QStringLiteral("%1 is the registered database").arg(QDir::toNativeSeparators(path)));
    } else {
        Admin::printLine(QStringLiteral("left the registered database %1 alone (--register replaces it)")
                             .arg(QDir::toNativeSeparators(registered)));
    }
    return 0;
}

const AdminCommandRegistration registration{AdminCommand{
    CommandName,
    QStringLiteral("[--db PATH] [--learners N] [--register] [--if-unset]"),
    QStringLiteral("creates a demo host database (N >= 60 learners, default 60) and registers it "
                   "when no database is registered yet, or with --register; --if-unset does nothing "
                   "when a database is registered already"),
    &runDemoHost,
}};

} // namespace
