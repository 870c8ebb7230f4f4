#include "PostgresCluster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

namespace {

constexpr int Port = 5432; // only names the socket file in the private folder
const char *const ServerUser = "postgres";

// The newest installed server's programs.
QString serverPrograms()
{
    QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(), [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &version : versions) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
        if (QFileInfo(bin + QStringLiteral("/initdb")).isExecutable() && QFileInfo(bin + QStringLiteral("/pg_ctl")).isExecutable())
            return bin;
    }
    return QString();
}

bool asRoot()
{
    return geteuid() == 0;
}

} // namespace

PostgresCluster::PostgresCluster()
{
    m_bin = serverPrograms();
    if (m_bin.isEmpty()) {
        m_whyNot = QStringLiteral("the PostgreSQL server programs (initdb, pg_ctl) are not installed");
        return;
    }
    if (!m_dir.isValid()) {
        m_whyNot = QStringLiteral("no temporary folder for the test server");
        return;
    }
    if (asRoot()) {
        const passwd *user = getpwnam(ServerUser);
        if (!user || chown(QFile::encodeName(m_dir.path()).constData(), user->pw_uid, user->pw_gid) != 0) {
            m_whyNot = QStringLiteral("the server must run as the user postgres, which cannot own %1").arg(m_dir.path());
            return;
        }
    }
    QString output;
    if (!run(m_bin + QStringLiteral("/initdb"),
             {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-A"), QStringLiteral("trust"),
              QStringLiteral("-U"), QString::fromLatin1(ServerUser), QStringLiteral("-E"), QStringLiteral("UTF8"),
              QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")},
             &output)) {
        m_whyNot = QStringLiteral("initdb failed: ") + output;
        return;
    }
    start();
    if (!m_running) {
        m_whyNot = QStringLiteral("the test server did not start: ") + m_whyNot;
        return;
    }
    // A test that crashes never reaches the destructor: a watcher outside it
    // stops the server and removes its folder once the test process is gone.
    const QString stopCommand = (asRoot() ? QStringLiteral("runuser -u %1 -- ").arg(QString::fromLatin1(ServerUser)) : QString())
        + QStringLiteral("'%1/pg_ctl' -D '%2/data' -m immediate stop").arg(m_bin, m_dir.path());
    QProcess::startDetached(QStringLiteral("sh"),
                            {QStringLiteral("-c"), QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done; %2 >/dev/null 2>&1; rm -rf '%3'")
                                                       .arg(QCoreApplication::applicationPid()).arg(stopCommand, m_dir.path())});
}

PostgresCluster::~PostgresCluster()
{
    if (m_running)
        run(m_bin + QStringLiteral("/pg_ctl"), {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
                                               QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
                                               QStringLiteral("stop")});
}

bool PostgresCluster::run(const QString &program, const QStringList &arguments, QString *output) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_dir.path());
    if (asRoot())
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QString::fromLatin1(ServerUser), QStringLiteral("--"), program} + arguments);
    else
        process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    if (output)
        *output = QString::fromUtf8(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void PostgresCluster::start()
{
    QString output;
    // fsync off: a test server's data need not survive a power cut.
    const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses='' -F").arg(Port).arg(m_dir.path());
    m_running = run(m_bin + QStringLiteral("/pg_ctl"),
                    {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-o"), options,
                     QStringLiteral("-l"), m_dir.filePath(QStringLiteral("server.log")), QStringLiteral("-w"), QStringLiteral("start")},
                    &output);
    if (!m_running)
        m_whyNot = output;
}

void PostgresCluster::stop()
{
    run(m_bin + QStringLiteral("/pg_ctl"), {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
                                           QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")});
    m_running = false;
}

QString PostgresCluster::uri(const QString &database) const
{
    return QStringLiteral("postgresql:///%1?host=%2&port=%3&user=%4").arg(database, m_dir.path()).arg(Port).arg(QString::fromLatin1(ServerUser));
}

QString PostgresCluster::createDatabase(const QString &name)
{
    run(m_bin + QStringLiteral("/psql"), {QStringLiteral("-h"), m_dir.path(), QStringLiteral("-p"), QString::number(Port),
                                         QStringLiteral("-U"), QString::fromLatin1(ServerUser), QStringLiteral("-d"),
                                         QStringLiteral("postgres"), QStringLiteral("-c"), QStringLiteral("CREATE DATABASE %1").arg(name)});
    return uri(name);
}
