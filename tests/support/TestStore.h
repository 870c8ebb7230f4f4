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
    // A copy of the store in templateFile (one a test program built once).
    explicit TestStore(const QString &templateFile);
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
    // stored data is the same. One line per row, tables by name, rows in key
    // (rowid) order, each "Table #rowid" then every column as Name=value, tab
    // separated. Texts are quoted, with backslash, NUL, U+FEFF, tab and line
    // breaks written as escapes, so a lost mark or a cut at a NUL shows.
    QString dump() const;
    QString dump(const QString &table) const;   // one table's rows
    // The file's bytes, hashed.
    QByteArray fileHash() const;

    // What the full learner's texts hold besides their words.
    enum class StoredTexts {
        Awkward,   // every other text starts with U+FEFF, the others hold a NUL inside
        Plain,     // neither
    };
    // A learner with rows in every program table (SNE_ but not SNE_lu_, read
    // from the store itself, so a table or column added later is filled too)
    // and in MultipleDisabilities, every column filled. Returns the learner's ID.
    //  - Every column of a row holds a value no other column of it holds;
    //    texts name their column and line; yes/no columns next to each other
    //    differ, and the first of each table's lines holds the text 'Yes'.
    //  - Line numbers (the first whole-number column that is not a score,
    //    rating or site: Support_Area, [Action], GridID, Sub_Section,
    //    Impairment_Area) run 1 to 48, past what any screen shows; a further one
    //    (Support_Area after GridID) runs 1 to 6 for each, so levels also sit in
    //    cells a rating screen has no cell for. Lines 1 to 3 are stored twice.
    //    A table without a line number holds lines 1, 2 and 1 again.
    //  - Scores and ratings 1 to 3, DBST_Support_School_Site 7 on line 1,
    //    Impairment_Type 'P/T', levels 'Level 1' to 'Level 5', the DATETIME
    //    column a date and time; long-text (MEMO) columns 5,000 characters.
    //  - MultipleDisabilities: codes 3, 3 again, 12, 0 and 99 (no such code),
    //    each with its own K number and date.
    // The same lines, with short texts, are stored for the learner in the
    // years before and after, and for another learner in the same year.
    int addFullLearner(int year, StoredTexts texts = StoredTexts::Awkward) const;
    static constexpr int LastLineNumber = 48;

private:
    QTemporaryDir m_dir;
    QString m_path;
};
