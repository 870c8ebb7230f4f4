#pragma once

#include "Connection.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A throw-away host store in a temporary folder, registered as the program's
// database (appState().DatabasePath) for the test's lifetime.
class TestStore
{
public:
    // withDemoSchool: fill it with the demo school (60 learners); otherwise the
    // host tables stay empty. withSchema: run the start-up table check too.
    explicit TestStore(bool withDemoSchool = true, bool withSchema = true);
    ~TestStore();

    QString path() const { return m_path; }
    QString dir() const { return m_dir.path(); }
    // A fresh connection of the test's own.
    std::unique_ptr<Connection> connect() const;

    // Convenience: run statements natively / read one value.
    void exec(const QString &sqliteSql) const;
    QVariant scalar(const QString &sqliteSql) const;
    int count(const QString &table, const QString &where = QString()) const;

    // Adds a learner row to Learner_Info and returns its ID.
    int addLearner(const QString &surname, const QString &firstName,
                   const QString &status = QStringLiteral("C"), int lsenStatus = 2,
                   const QString &socialGrantNo = QString(), int grade = 1,
                   const QString &accessionNo = QString(), const QString &birthDate = QStringLiteral("20080315"),
                   int disability = 0) const;
    // Makes a learner the program's current learner for year.
    void pickLearner(int learnerId, int year) const;

    // Makes every INSERT (or UPDATE/DELETE) on table fail, through a trigger.
    void failWritesTo(const QString &table, const QString &operation = QStringLiteral("INSERT")) const;
    void allowWritesTo(const QString &table, const QString &operation = QStringLiteral("INSERT")) const;

    // Makes every read of table fail ("no such function"), as a damaged or
    // unreadable table would, until allowReadsFrom. Writes to it fail too.
    void failReadsFrom(const QString &table) const;
    void allowReadsFrom(const QString &table) const;

    // Another program holding the whole file (an exclusive lock) for as long
    // as the returned connection lives; the program's own statements then fail
    // with "database is locked" after the busy timeout (kept short in tests).
    std::unique_ptr<Connection> lockedByAnotherProgram() const;

    // Every row of every table and the schema, as text: equal dumps mean the
    // stored data is the same.
    QString dump() const;
    QString dump(const QString &table) const;   // one table's rows
    // The file's bytes, hashed.
    QByteArray fileHash() const;

    // A learner with a row in every table of the program for year, every
    // column filled (read from the table itself, so tables added later are
    // filled too), long texts in the long-text columns. Returns the learner's ID.
    int addFullLearner(int year, const QString &longText) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};
