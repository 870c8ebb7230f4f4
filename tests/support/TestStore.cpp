#include "TestStore.h"

#include "AppState.h"
#include "CheckTables.h"
#include "DemoHost.h"
#include "StoreError.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QVariant>

namespace {

QString quoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString triggerName(const QString &table, const QString &operation)
{
    return QStringLiteral("test_refuse_%1_%2").arg(table, operation.toLower());
}

// One template store per kind and test program, built on first use and copied
// for every case: a case then costs a file copy, not a school and 22 tables.
QString templateStore(bool withDemoSchool, bool withSchema)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("template-%1-%2.db").arg(int(withDemoSchool)).arg(int(withSchema)));
    if (QFile::exists(path))
        return path;
    {
        std::unique_ptr<Connection> connection = Connection::create(path);
        DemoHost::createHostTables(*connection);
        if (withDemoSchool)
            DemoHost::fillDemoSchool(*connection, 60);
        if (withSchema)
            CheckTables(*connection);
    }
    return path;
}

} // namespace

TestStore::TestStore(bool withDemoSchool, bool withSchema)
    : TestStore(templateStore(withDemoSchool, withSchema))
{
}

TestStore::TestStore(const QString &templateFile)
{
    m_path = m_dir.filePath(QStringLiteral("host.db"));
    QFile::copy(templateFile, m_path);
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    appState().DatabasePath = m_path;
}

TestStore::~TestStore()
{
    if (appState().DatabasePath == m_path)
        appState().DatabasePath.clear();
    Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);
}

std::unique_ptr<Connection> TestStore::connect() const
{
    std::unique_ptr<Connection> connection = Connection::open(m_path);
    // A throw-away file: the fixture's own writes need not wait for the disk.
    connection->executeNative(QStringLiteral("PRAGMA synchronous = OFF"));
    return connection;
}

void TestStore::exec(const QString &sqliteSql) const
{
    connect()->executeNative(sqliteSql);
}

QVariant TestStore::scalar(const QString &sqliteSql) const
{
    try {
        const Recordset rows = connect()->queryNative(sqliteSql);
        return rows.isEmpty() || rows.fieldCount() == 0 ? QVariant() : rows.value(0, rows.fieldNames().first());
    } catch (const StoreError &error) {
        throw StoreError(error.number(), error.description() + QStringLiteral(" in: ") + sqliteSql, error.kind());
    }
}

int TestStore::count(const QString &table, const QString &where) const
{
    return scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where)).toInt();
}

int TestStore::addLearner(const QString &surname, const QString &firstName, const QString &status, int lsenStatus,
                          const QString &socialGrantNo, int grade, const QString &accessionNo,
                          const QString &birthDate, int disability) const
{
    const int id = scalar(QStringLiteral("SELECT COALESCE(MAX(ID), 0) + 1 FROM Learner_Info")).toInt();
    const QString accession = accessionNo.isEmpty() ? QStringLiteral("T%1").arg(id) : accessionNo;
    // The host's older learner number, kept apart from every ID.
    const int hostNumber = 900000 + id;
    exec(QStringLiteral("INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status, LSENStatus, "
                        "SocialGrantNo, LSENDisabilities, LearnerID) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, %11)")
             .arg(id).arg(quoted(firstName), quoted(surname)).arg(grade).arg(quoted(accession), quoted(birthDate), quoted(status))
             .arg(lsenStatus).arg(quoted(socialGrantNo)).arg(disability).arg(hostNumber));
    return id;
}

void TestStore::pickLearner(int learnerId, int year) const
{
    std::unique_ptr<Connection> connection = connect();
    Recordset rows = connection->query(
        QStringLiteral("SELECT FName, SName, AccessionNo, BirthDate FROM Learner_Info WHERE ID = %1").arg(learnerId));
    if (rows.isEmpty())
        throw StoreError(StoreError::ItemNotFound, QStringLiteral("no learner %1").arg(learnerId));
    AppState &state = appState();
    state.CurrentLearnerID = learnerId;
    // As the learner list shows the name: surname in capitals, a blank, first name.
    state.CurrentLearnerName = rows.text(QStringLiteral("SName")).toUpper() + QLatin1Char(' ')
        + rows.text(QStringLiteral("FName"));
    state.CurrentAccessionNo = rows.text(QStringLiteral("AccessionNo"));
    state.CurrentLearnerDOB = rows.text(QStringLiteral("BirthDate"));
    state.CurrentDataYear = year;
}

void TestStore::failWritesTo(const QString &table, const QString &operation) const
{
    exec(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 BEGIN SELECT RAISE(ABORT, 'writes to %3 refused'); END")
             .arg(triggerName(table, operation), operation.toUpper(), table));
}

void TestStore::allowWritesTo(const QString &table, const QString &operation) const
{
    exec(QStringLiteral("DROP TRIGGER IF EXISTS ") + triggerName(table, operation));
}

namespace {

QString hiddenName(const QString &table)
{
    return table + QStringLiteral("_unreadable");
}

QStringList tableNames(Connection &connection)
{
    QStringList names;
    Recordset rs = connection.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                                   "AND name NOT LIKE 'sqlite%' ORDER BY name"));
    for (; !rs.eof(); rs.moveNext())
        names << rs.text(QStringLiteral("name"));
    return names;
}

} // namespace

void TestStore::failReadsFrom(const QString &table) const
{
    std::unique_ptr<Connection> connection = connect();
    connection->executeNative(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(table, hiddenName(table)));
    // Names in a view resolve when it is used, so every read fails then.
    connection->executeNative(QStringLiteral("CREATE VIEW %1 AS SELECT * FROM %2 WHERE test_unreadable_table()")
                                  .arg(table, hiddenName(table)));
}

void TestStore::allowReadsFrom(const QString &table) const
{
    std::unique_ptr<Connection> connection = connect();
    connection->executeNative(QStringLiteral("DROP VIEW %1").arg(table));
    connection->executeNative(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(hiddenName(table), table));
}

std::unique_ptr<Connection> TestStore::lockedByAnotherProgram() const
{
    Connection::setBusyTimeout(50);
    std::unique_ptr<Connection> other = connect();
    other->executeNative(QStringLiteral("BEGIN EXCLUSIVE"));
    return other;
}

namespace {

// A stored value as the dump shows it: NULL, a number, a quoted text with its
// invisible characters escaped, or a blob in hex.
QString rendered(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QStringLiteral("NULL");
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
        return QStringLiteral("real:") + QString::number(value.toDouble(), 'g', 17);
    case QMetaType::QByteArray:
        return QStringLiteral("x'") + QString::fromLatin1(value.toByteArray().toHex()) + QLatin1Char('\'');
    default:
        break;
    }
    // The text as stored, NULs inside included.
    const QString text = value.toString();
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('\'');
    // Runs of plain characters go across whole: the texts run to thousands.
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QLatin1String escape;
        switch (text.at(i).unicode()) {
        case '\\': escape = QLatin1String("\\\\"); break;
        case 0: escape = QLatin1String("\\0"); break;
        case '\t': escape = QLatin1String("\\t"); break;
        case '\r': escape = QLatin1String("\\r"); break;
        case '\n': escape = QLatin1String("\\n"); break;
        case 0xFEFF: escape = QLatin1String("\\uFEFF"); break;
        default: continue;
        }
        out.append(text.constData() + plainFrom, i - plainFrom);
        out += escape;
        plainFrom = i + 1;
    }
    out.append(text.constData() + plainFrom, text.size() - plainFrom);
    return out + QLatin1Char('\'');
}

QString dumpRows(Connection &connection, const QString &table)
{
    const Recordset rows = connection.queryNative(QStringLiteral("SELECT rowid, * FROM [%1] ORDER BY rowid").arg(table));
    const QStringList names = rows.fieldNames();
    QString out;
    for (int row = 0; row < rows.recordCount(); ++row) {
        out += table + QStringLiteral(" #") + QString::number(rows.value(row, names.first()).toLongLong());
        for (int i = 1; i < names.size(); ++i)
            out += QLatin1Char('\t') + names.at(i) + QLatin1Char('=') + rendered(rows.value(row, names.at(i)));
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace

QString TestStore::dump(const QString &table) const
{
    return dumpRows(*connect(), table);
}

QString TestStore::dump() const
{
    std::unique_ptr<Connection> connection = connect();
    QString out;
    Recordset schema = connection->query(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name"));
    for (; !schema.eof(); schema.moveNext())
        // A table renamed and renamed back comes back with its name quoted.
        out += schema.text(QStringLiteral("name")) + QLatin1Char('|')
            + schema.text(QStringLiteral("sql")).remove(QLatin1Char('"')) + QLatin1Char('\n');
    for (const QString &table : tableNames(*connection))
        out += dumpRows(*connection, table);
    return out;
}

QByteArray TestStore::fileHash() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

namespace {

// What a column of a program table holds, as its definition in the store says.
enum class Kind { Key, YesNo, Number, Text, Date };

struct Column
{
    QString name;
    Kind kind = Kind::Text;
    int limit = 0;   // Text: the most characters; 0 for a long text (MEMO)
};

bool named(const QString &name, const char *what)
{
    return name.compare(QLatin1String(what), Qt::CaseInsensitive) == 0;
}

// A whole number chosen from a short list (a score, a rating, a site) rather
// than a line number.
bool isChoice(const QString &name)
{
    return name.contains(QLatin1String("Score"), Qt::CaseInsensitive)
        || name.contains(QLatin1String("Rating"), Qt::CaseInsensitive)
        || name.contains(QLatin1String("Site"), Qt::CaseInsensitive);
}

QVector<Column> columnsOf(Connection &connection, const QString &table)
{
    const QString sql = connection.query(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = '%1'").arg(table))
                            .text(QStringLiteral("sql"));
    QVector<Column> columns;
    Recordset rs = connection.query(QStringLiteral("SELECT name, type, \"notnull\" AS required, pk "
                                                   "FROM pragma_table_info('%1') ORDER BY cid").arg(table));
    for (; !rs.eof(); rs.moveNext()) {
        Column c;
        c.name = rs.text(QStringLiteral("name"));
        const QString type = rs.text(QStringLiteral("type")).toUpper();
        const QString escaped = QRegularExpression::escape(c.name);
        if (rs.value(QStringLiteral("pk")).toInt() > 0)
            c.kind = Kind::Key;
        else if (type.startsWith(QLatin1String("INT")))
            // A yes/no column is a whole number that cannot be NULL.
            c.kind = rs.value(QStringLiteral("required")).toInt() == 1 ? Kind::YesNo : Kind::Number;
        else if (!QRegularExpression(QStringLiteral("\\b%1\\]?\\s+TEXT\\s+COLLATE").arg(escaped),
                                     QRegularExpression::CaseInsensitiveOption).match(sql).hasMatch())
            c.kind = Kind::Date;   // a date and time column compares as stored
        const QRegularExpressionMatch limit
            = QRegularExpression(QStringLiteral("length\\(\\[?%1\\]?\\)\\s*<=\\s*(\\d+)").arg(escaped),
                                 QRegularExpression::CaseInsensitiveOption).match(sql);
        if (limit.hasMatch())
            c.limit = limit.captured(1).toInt();
        columns << c;
    }
    return columns;
}

// A text as an SQL expression: a NUL cannot stand inside a quoted literal.
QString textLiteral(const QString &text)
{
    QStringList parts;
    for (const QString &part : text.split(QChar(0)))
        parts << quoted(part);
    return parts.join(QStringLiteral(" || char(0) || "));
}

// Words as other programs store them: apostrophes, quotes, line breaks,
// accents and characters outside the basic plane.
QString longText(const QString &start)
{
    QString text = start + QStringLiteral(": O'Brien \U0001F600 said: \"yes\"\r\n");
    while (text.size() < 5000)
        text += QStringLiteral("The family lives with the grandmother; \u00E9t\u00E9 \U0001F4DA. ");
    text.truncate(5000);
    if (text.back().isHighSurrogate())
        text.back() = QLatin1Char('.');
    return text;
}

// One line of a table for one learner and year.
struct Line
{
    int learner;
    int year;
    QString owner;            // empty for the full learner's own year
    int number;               // line number (or the line's place when the table has none)
    int further;              // the further line number, 0 when none
    int copy;                 // 1, or 2 for the duplicate
    TestStore::StoredTexts texts;
};

QString valueOf(const Column &c, int textIndex, int yesNoIndex, const Line &line, bool firstKey)
{
    if (named(c.name, "LearnerID"))
        return QString::number(line.learner);
    if (named(c.name, "Data_Year"))
        return QString::number(line.year);
    const QString label = QStringLiteral("%1%2%3%4")
                              .arg(line.number)
                              .arg(line.further ? QStringLiteral(".%1").arg(line.further) : QString())
                              .arg(line.copy == 2 ? QStringLiteral("b") : QString())
                              .arg(line.owner.isEmpty() ? QString() : QLatin1Char(' ') + line.owner);
    switch (c.kind) {
    case Kind::Key:
        return QString();
    case Kind::YesNo:
        if (line.number == 1 && line.copy == 1 && yesNoIndex == 0)
            return quoted(QStringLiteral("Yes"));
        return QString::number((yesNoIndex + line.number + line.copy) % 2);
    case Kind::Number:
        if (named(c.name, "DBST_Support_School_Site"))
            return QString::number(line.number == 1 ? 7 : line.number % 3 + 1);
        if (isChoice(c.name)) {
            int choice = (line.number + line.copy) % 3 + 1;
            if (choice == line.number)   // never the line's number
                choice = choice % 3 + 1;
            return QString::number(choice);
        }
        return QString::number(firstKey ? line.number : line.further);
    case Kind::Date:
        return quoted(QStringLiteral("%1-03-%2 10:%3:00").arg(line.year).arg(line.number % 28 + 1, 2, 10, QLatin1Char('0'))
                          .arg(line.copy * 10 + line.further, 2, 10, QLatin1Char('0')));
    case Kind::Text:
        break;
    }
    if (named(c.name, "Impairment_Type"))
        return quoted(QStringLiteral("P/T"));
    if (named(c.name, "Level"))
        return quoted(QStringLiteral("Level %1").arg((line.number + line.further + line.copy) % 5 + 1));
    if (c.limit > 0 && c.limit < 10)
        return quoted(QString(QChar(u'A' + (line.number + line.copy) % 26)).left(c.limit));
    // The column's name and the line, the name cut to fit the limit.
    const bool awkward = line.texts == TestStore::StoredTexts::Awkward && (c.limit == 0 || c.limit > 20);
    const int room = c.limit - (awkward ? 1 : 0);
    QString words = c.name + QLatin1Char(' ') + label;
    if (c.limit > 0 && words.size() > room)
        words = c.name.left(qMax(1, room - int(label.size()) - 1)) + QLatin1Char(' ') + label;
    if (awkward && textIndex % 2 == 1)
        words.insert(words.indexOf(QLatin1Char(' ')), QChar(0));   // "Name\0 1"
    // Long texts on the first lines (a duplicate among them): enough to
    // prove them kept whole, without making every dump megabytes long.
    if (c.limit == 0 && line.owner.isEmpty() && line.number <= 3)
        words = longText(words);
    if (awkward && textIndex % 2 == 0)
        words.prepend(QChar(0xFEFF));
    return textLiteral(c.limit > 0 ? words.left(c.limit) : words);
}

void addLines(Connection &connection, const QString &table, const QVector<Column> &columns, Line line)
{
    // The first whole-number column that is not a choice numbers the lines; a
    // second one numbers lines within each.
    QVector<int> keys;
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].kind == Kind::Number && !named(columns[i].name, "LearnerID")
            && !named(columns[i].name, "Data_Year") && !isChoice(columns[i].name))
            keys << i;
    const int lines = keys.isEmpty() ? 2 : TestStore::LastLineNumber;
    const int further = keys.size() > 1 ? 6 : 0;
    const auto insert = [&](const Line &l) {
        QStringList names, values;
        int texts = 0, yesNos = 0;
        for (int i = 0; i < columns.size(); ++i) {
            const Column &c = columns[i];
            if (c.kind == Kind::Key)
                continue;
            names << QLatin1Char('[') + c.name + QLatin1Char(']');
            values << valueOf(c, texts, yesNos, l, keys.value(0, -1) == i);
            texts += c.kind == Kind::Text;
            yesNos += c.kind == Kind::YesNo;
        }
        connection.executeNative(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                                     .arg(table, names.join(QLatin1Char(',')), values.join(QLatin1Char(','))));
    };
    for (line.copy = 1; line.copy <= 2; ++line.copy) {
        const int last = line.copy == 1 ? lines : (keys.isEmpty() ? 1 : 3);
        for (line.number = 1; line.number <= last; ++line.number)
            for (line.further = further ? 1 : 0; line.further <= further; ++line.further)
                insert(line);
    }
}

void addDisabilities(Connection &connection, int learner, const QString &owner)
{
    const int codes[] = {3, 3, 12, 0, 99};
    int n = 0;
    for (const int code : codes) {
        ++n;
        connection.executeNative(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) "
                                                "VALUES (%1, %2, %3, '2013-02-%4')")
                                     .arg(learner).arg(code)
                                     .arg(quoted(QStringLiteral("K%1/%2%3").arg(code).arg(n).arg(owner)))
                                     .arg(n, 2, 10, QLatin1Char('0')));
    }
}

} // namespace

int TestStore::addFullLearner(int year, StoredTexts texts) const
{
    const int learner = addLearner(QStringLiteral("Full"), QStringLiteral("Fiona"), QStringLiteral("C"), 2, QString(),
                                   1, QString(), QStringLiteral("20080315"), 1);
    const int other = addLearner(QStringLiteral("Other"), QStringLiteral("Olga"), QStringLiteral("C"), 2, QString(),
                                 1, QString(), QStringLiteral("20080316"), 2);
    std::unique_ptr<Connection> connection = connect();
    Transaction transaction(*connection);   // one write to the file, not thousands
    for (const QString &table : tableNames(*connection)) {
        if (!table.startsWith(QLatin1String("SNE_")) || table.startsWith(QLatin1String("SNE_lu_")))
            continue;
        const QVector<Column> columns = columnsOf(*connection, table);
        addLines(*connection, table, columns, {learner, year, QString(), 0, 0, 1, texts});
        for (const int y : {year - 1, year + 1})
            addLines(*connection, table, columns, {learner, y, QStringLiteral("y%1").arg(y), 0, 0, 1, texts});
        addLines(*connection, table, columns, {other, year, QStringLiteral("L%1").arg(other), 0, 0, 1, texts});
    }
    addDisabilities(*connection, learner, QString());
    addDisabilities(*connection, other, QStringLiteral(" L%1").arg(other));
    transaction.commit();
    return learner;
}
