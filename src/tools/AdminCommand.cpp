#include "AdminCommand.h"

#include "Settings.h"
#include "StoreLocation.h"
#include "Version.h"

#include <QCommandLineParser>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

QVector<AdminCommand> &registry()
{
    static QVector<AdminCommand> commands;
    return commands;
}

QString usageLine(const AdminCommand &command)
{
    return QStringLiteral("usage: sna-admin ") + command.name
        + (command.usage.isEmpty() ? QString() : QLatin1Char(' ') + command.usage);
}

void printCommandList(void (*print)(const QString &))
{
    print(QStringLiteral("usage: sna-admin COMMAND [OPTIONS]"));
    print(QStringLiteral("       sna-admin COMMAND --help    the command's arguments and an example"));
    print(QStringLiteral("       sna-admin --version"));
    print(QStringLiteral("commands:"));
    qsizetype width = 0;
    for (const AdminCommand &command : Admin::commands())
        width = qMax(width, command.name.size());
    for (const AdminCommand &command : Admin::commands())
        print(QStringLiteral("  ") + command.name.leftJustified(width + 2) + command.summary);
}

void printCommandHelp(const AdminCommand &command)
{
    Admin::printLine(usageLine(command));
    Admin::printLine(command.summary);
    if (!command.details.isEmpty())
        Admin::printLine(command.details);
    Admin::printLine(QStringLiteral("example: ") + command.example);
}

bool asksForHelp(const QStringList &args)
{
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

void writeLine(FILE *stream, const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

AdminCommandRegistration::AdminCommandRegistration(AdminCommand command)
{
    QVector<AdminCommand> &commands = registry();
    commands.append(std::move(command));
    std::sort(commands.begin(), commands.end(),
              [](const AdminCommand &a, const AdminCommand &b) { return a.name < b.name; });
}

namespace Admin {

const QVector<AdminCommand> &commands()
{
    return registry();
}

const AdminCommand *findCommand(const QString &name)
{
    for (const AdminCommand &command : registry()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

void printLine(const QString &line)
{
    writeLine(stdout, line);
}

void printError(const QString &line)
{
    writeLine(stderr, line);
}

int usageError(const QString &commandName, const QString &problem)
{
    if (!problem.isEmpty())
        printError(QStringLiteral("sna-admin ") + commandName + QStringLiteral(": ") + problem);
    if (const AdminCommand *command = findCommand(commandName)) {
        printError(usageLine(*command));
        printError(QStringLiteral("(sna-admin %1 --help tells more)").arg(commandName));
    }
    return ExitUsage;
}

bool parseArguments(QCommandLineParser &parser, const QString &commandName, const QStringList &args)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("sna-admin")} + args)) {
        usageError(commandName, parser.errorText());
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        usageError(commandName, QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
        return false;
    }
    return true;
}

QString databaseArgument(const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("db")))
        return StoreLocation::absolute(parser.value(QStringLiteral("db")));
    return Settings::databasePath();
}

int run(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        printCommandList(&printError);
        return ExitUsage;
    }
    const QString name = arguments.first();
    if (name == QLatin1String("help") || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        printCommandList(&printLine);
        return 0;
    }
    if (name == QLatin1String("--version")) {
        printLine(QStringLiteral("sna-admin ") + QString::fromLatin1(Sna::Version));
        return 0;
    }
    const AdminCommand *command = findCommand(name);
    if (!command) {
        printError(QStringLiteral("sna-admin: unknown command '%1'").arg(name));
        printCommandList(&printError);
        return ExitUsage;
    }
    if (asksForHelp(arguments.mid(1))) {
        printCommandHelp(*command);
        return 0;
    }
    return command->run(arguments.mid(1));
}

} // namespace Admin
