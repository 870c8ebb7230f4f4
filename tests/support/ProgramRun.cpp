#include "ProgramRun.h"

#include <QProcess>

ProgramRun runProgram(const QStringList &arguments, const QHash<QString, QString> &environment, const QString &program)
{
    QProcess process;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (auto it = environment.cbegin(); it != environment.cend(); ++it) {
        if (it.value().isNull())
            variables.remove(it.key());
        else
            variables.insert(it.key(), it.value());
    }
    process.setProcessEnvironment(variables);
    process.start(program.isEmpty() ? qEnvironmentVariable("SNA_ADMIN") : program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QStringList arguments(std::initializer_list<QAnyStringView> list)
{
    QStringList out;
    for (QAnyStringView argument : list)
        out << argument.toString();
    return out;
}
