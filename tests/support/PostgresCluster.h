#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away PostgreSQL server of the test's own: initdb and pg_ctl in a
// temporary folder, listening only on a socket in that folder (no network
// port), trust authentication there. As root it runs as the postgres user,
// which the server demands. Stopped and removed when the object goes, also
// when the test failed.
class PostgresCluster
{
public:
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster &) = delete;
    PostgresCluster &operator=(const PostgresCluster &) = delete;

    // False, with the reason, where the server programs are not installed or
    // the server did not start.
    bool running() const { return m_running; }
    QString whyNot() const { return m_whyNot; }

    // Creates an empty database and returns the connection address the
    // program's setting takes for it.
    QString createDatabase(const QString &name);
    QString uri(const QString &database) const;

    // The server going away under a running program, and coming back.
    void stop();
    void start();

private:
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr) const;

    QTemporaryDir m_dir;
    QString m_bin;
    bool m_running = false;
    QString m_whyNot;
};
