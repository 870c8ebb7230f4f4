// sna-admin copy-store: moves a school between stores of any engine (an
// SQLite file, a PostgreSQL database), row for row, in one transaction on the
// target.

#include "AdminCommand.h"
#include "Connection.h"
#include "StoreCopy.h"
#include "StoreError.h"
#include "StoreLocation.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <memory>

namespace {

const QString CommandName = QStringLiteral("copy-store");

int runCopyStore(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("from"), QString(), QStringLiteral("STORE")});
    parser.addOption({QStringLiteral("to"), QString(), QStringLiteral("STORE")});
    parser.addOption({QStringLiteral("replace"), QString()});
    if (!Admin::parseArguments(parser, CommandName, args))
        return Admin::ExitUsage;
    if (!parser.isSet(QStringLiteral("from")) || !parser.isSet(QStringLiteral("to")))
        return Admin::usageError(CommandName, QStringLiteral("give both --from and --to"));
    const QString from = StoreLocation::absolute(parser.value(QStringLiteral("from")));
    const QString to = StoreLocation::absolute(parser.value(QStringLiteral("to")));
    const auto existing = parser.isSet(QStringLiteral("replace")) ? StoreCopy::Existing::Replace : StoreCopy::Existing::Refuse;
    try {
        std::unique_ptr<Connection> source = Connection::open(from);
        // A new SQLite file is made; a server's database must exist.
        std::unique_ptr<Connection> target = StoreLocation::isServer(to) || !QFileInfo::exists(to)
            ? Connection::create(to) : Connection::open(to);
        const QMap<QString, int> copied = StoreCopy::copy(*source, *target, existing);
        for (auto it = copied.cbegin(); it != copied.cend(); ++it)
            Admin::printLine(QStringLiteral("copied %1 (%2 rows)").arg(it.key()).arg(it.value()));
    } catch (const StoreError &error) {
        Admin::printError(QStringLiteral("sna-admin copy-store: %1 (%2)").arg(error.description()).arg(error.number()));
        return Admin::ExitFailed;
    }
    return 0;
}

const AdminCommandRegistration registration{AdminCommand{
    .name = CommandName,
    .summary = QStringLiteral("copies a school from one store to another (SQLite file or PostgreSQL database)"),
    .usage = QStringLiteral("--from STORE --to STORE [--replace]"),
    .details = QStringLiteral("STORE is a file path or a postgresql:// address. Copies the host's tables the program "
                              "reads and the program's tables in one transaction on the target; a target that "
                              "holds a school's rows already is refused unless --replace is given"),
    .example = QStringLiteral("sna-admin copy-store --from /tmp/school.db --to postgresql://server/school?user=sna"),
    .run = &runCopyStore,
}};

} // namespace
