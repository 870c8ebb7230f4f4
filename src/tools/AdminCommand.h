#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QCommandLineParser;

// One command of sna-admin. A command lives in its own Admin<Name>.cpp and
// registers itself there with a file-scope AdminCommandRegistration; nothing
// else needs to change to add one.
struct AdminCommand
{
    QString name;       // "demo-host"
    QString summary;    // one short line for the command list
    QString usage;      // its arguments: "[--db PATH] [--learners N] [--register]"
    QString details;    // what the arguments do, for "COMMAND --help" (may be empty)
    QString example;    // one whole command line, from "sna-admin" on
    // Gets the arguments after the command's name; returns the exit code.
    std::function<int(const QStringList &args)> run;
    // Whether the command prints pages or builds screens; one that only works
    // on the store starts without the windowing and font set-up, which costs
    // more than a small school's whole append.
    bool needsGui = true;
};

struct AdminCommandRegistration
{
    explicit AdminCommandRegistration(AdminCommand command);
};

namespace Admin {

// Exit codes: 0 done, 1 the work failed, 2 the command line was wrong.
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

const QVector<AdminCommand> &commands();       // sorted by name
const AdminCommand *findCommand(const QString &name);

// Runs the command line (the arguments after the program's name): a
// command, "--help" (the command list), "COMMAND --help" (its usage and an
// example) or "--version".
int run(const QStringList &arguments);

void printLine(const QString &line);           // stdout
void printError(const QString &line);          // stderr

// Prints the problem and the command's usage line to stderr; returns ExitUsage.
int usageError(const QString &commandName, const QString &problem);

// Parses args with the options already added to parser; on a wrong command
// line (unknown option, missing value, stray argument) prints the usage and
// returns false.
bool parseArguments(QCommandLineParser &parser, const QString &commandName, const QStringList &args);

// The database a command works on: --db when given (made absolute), otherwise
// the path in the settings store ("" when there is none).
QString databaseArgument(const QCommandLineParser &parser);

} // namespace Admin
