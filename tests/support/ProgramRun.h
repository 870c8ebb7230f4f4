#pragma once

#include <QAnyStringView>
#include <QHash>
#include <QString>
#include <QStringList>

// One of the build's programs run as a process of its own, as an
// administrator runs it: its exit code (-1 when it crashed or hung) and what
// it printed.
struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs program (sna-admin, as SNA_ADMIN names it, when none is given) with
// arguments. The entries of environment replace the test's own; a null value
// takes the variable away.
ProgramRun runProgram(const QStringList &arguments, const QHash<QString, QString> &environment = {},
                      const QString &program = QString());

// Arguments as they stand, literals and texts alike.
QStringList arguments(std::initializer_list<QAnyStringView> list);
