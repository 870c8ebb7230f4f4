// Translation of the host engine's SQL into SQLite's.
//
// The statement is cut into tokens (names, [bracketed] names, 'strings',
// numbers, #dates#, punctuation), each keeping the blanks in front of it, and
// the rewrites work on tokens. A statement that needs no rewrite is joined
// back exactly as it came in.

#include "SqlDialect.h"

#include <QStringList>

#include "SqlTokens.h"
#include "StoreError.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTime>
#include <QVector>

#include <algorithm>
#include <functional>
#include <optional>

using namespace SqlTokens;

namespace {

// --- literals and function names --------------------------------------------

QString isoFromDateLiteral(const QString &literal)
{
    const QString inner = literal.mid(1, literal.size() - 2).trimmed();
    static const QString timePattern = QStringLiteral(R"((\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?)");
    static const QRegularExpression isoDate(
        QStringLiteral(R"(^(\d{4})[-/.](\d{1,2})[-/.](\d{1,2})(?:[ T]+%1)?$)").arg(timePattern));
    static const QRegularExpression usDate(
        QStringLiteral(R"(^(\d{1,2})[-/.](\d{1,2})[-/.](\d{4}|\d{2})(?:\s+%1)?$)").arg(timePattern));
    static const QRegularExpression timeOnly(QStringLiteral("^%1$").arg(timePattern));

    int year = 0, month = 0, day = 0;
    int timeGroup = 0;
    QRegularExpressionMatch m = isoDate.match(inner);
    if (m.hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
        day = m.captured(3).toInt();
        timeGroup = 4;
    } else if ((m = usDate.match(inner)).hasMatch()) {
        // The host reads month/day/year, and day/month/year only when the
        // first number cannot be a month.
        month = m.captured(1).toInt();
        day = m.captured(2).toInt();
        year = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            year += year < 30 ? 2000 : 1900;
        if (month > 12 && day <= 12)
            std::swap(month, day);
        timeGroup = 4;
    } else if ((m = timeOnly.match(inner)).hasMatch()) {
        year = 1899;
        month = 12;
        day = 30;
        timeGroup = 1;
    } else {
        return QString();
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return QString();

    QTime time(0, 0);
    if (!m.captured(timeGroup).isEmpty()) {
        int hour = m.captured(timeGroup).toInt();
        const QString half = m.captured(timeGroup + 3).toUpper();
        if (half == QLatin1String("PM") && hour < 12)
            hour += 12;
        else if (half == QLatin1String("AM") && hour == 12)
            hour = 0;
        time = QTime(hour, m.captured(timeGroup + 1).toInt(), m.captured(timeGroup + 2).toInt());
        if (!time.isValid())
            return QString();
    }
    if (time == QTime(0, 0))
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
}

QString quoted(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

// Grows a token list into its rewritten form in place, each old token giving
// one or more new ones in order. The old tokens first move to the end of the
// grown list; the new list is then written from the front and never reaches
// an old token before it has been taken. A large statement so needs no second
// list (fresh memory is what a long statement's translation pays most for).
class GrowInPlace
{
public:
    GrowInPlace(Tokens &tokens, qsizetype grownSize)
        : m_tokens(tokens)
        , m_offset(grownSize - tokens.size())
    {
        const qsizetype oldSize = tokens.size();
        m_tokens.resize(grownSize);
        std::move_backward(m_tokens.begin(), m_tokens.begin() + oldSize, m_tokens.end());
    }

    Token take(qsizetype old) { return std::move(m_tokens[m_offset + old]); }
    void put(Token token) { m_tokens[m_written++] = std::move(token); }

private:
    Tokens &m_tokens;
    const qsizetype m_offset;
    qsizetype m_written = 0;
};

// Date literals, double-quoted texts, IsNull( and Left( are rewritten where
// they stand; only the always-real '/' adds tokens.
Tokens rewriteLiterals(Tokens tokens)
{
    qsizetype divisions = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        Token &token = tokens[i];
        const bool call = isPunctAt(tokens, i + 1, QLatin1String("("));
        if (token.kind == Kind::Date) {
            const QString iso = isoFromDateLiteral(token.text);
            if (iso.isEmpty())
                throw StoreError(3075, QStringLiteral("Syntax error in date in query expression '%1'.").arg(token.text));
            token.kind = Kind::String;
            token.text = quoted(iso);
        } else if (token.kind == Kind::Quoted) {
            // To the host a double-quoted text is a text, never a name.
            QString inner = token.text.mid(1, token.text.size() - 2);
            inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
            token.kind = Kind::String;
            token.text = quoted(inner);
        } else if (call && is(token, QLatin1String("IsNull"))) {
            token.text = QStringLiteral("jet_isnull");
        } else if (call && is(token, QLatin1String("Left"))) {
            token.text = QStringLiteral("jet_left");
        } else if (isPunct(token, QLatin1String("/"))) {
            ++divisions;
        }
    }
    if (divisions == 0)
        return tokens;
    const qsizetype count = tokens.size();
    GrowInPlace grow(tokens, count + 2 * divisions);
    for (qsizetype i = 0; i < count; ++i) {
        Token token = grow.take(i);
        if (isPunct(token, QLatin1String("/"))) {
            grow.put(punct(QStringLiteral("*"), token.lead));
            grow.put(Token{Kind::Number, QStringLiteral("1.0"), QString()});
            token.lead.clear();
        }
        grow.put(std::move(token));
    }
    return tokens;
}

// --- & chains -------------------------------------------------------------

// The & rewrite: within one bracket level, a run of operands between two
// operand ends ("a & b + 1 & c") becomes jet_concat(a, b + 1, c); & binds more
// loosely than arithmetic on the host. A parenthesised group is one operand
// whose inside is a level of its own. One walk over the tokens marks where
// each run begins and ends and which & become commas; a second writes the
// result, so each token is handled a fixed number of times at any depth.
class ConcatPlan
{
public:
    // castOperands: each operand is read as text first, for an engine whose
    // functions take one type of argument.
    ConcatPlan(const Tokens &tokens, bool castOperands)
        : m_castOperands(castOperands)
        , m_opens(tokens.size(), 0)
        , m_commas(tokens.size(), false)
        , m_closes(tokens.size())
    {
        QVector<Run> levels(1);
        for (qsizetype i = 0; i < tokens.size(); ++i) {
            const Token &token = tokens.at(i);
            Run &run = levels.last();
            if (isPunct(token, QLatin1String(")"))) {
                finish(run);
                if (levels.size() == 1) {
                    run = Run{m_ampersands.size()}; // an unbalanced ')': left for SQLite to refuse
                } else {
                    levels.removeLast();
                    levels.last().last = i; // the group, ')' included, is one operand
                }
            } else if (isPunct(token, QLatin1String("("))) {
                run.addOperandPart(i);
                levels.append(Run{m_ampersands.size()});
            } else if (endsOperand(token)) {
                finish(run);
                run = Run{m_ampersands.size()};
            } else if (isPunct(token, QLatin1String("&"))) {
                run.addAmpersand(i);
                m_ampersands.append(i);
            } else {
                run.addOperandPart(i);
            }
        }
        // Groups left open run to the end, the innermost closing first.
        while (!levels.isEmpty()) {
            Run &run = levels.last();
            if (run.first >= 0)
                run.last = tokens.size() - 1;
            finish(run);
            levels.removeLast();
        }
    }

    Tokens applyTo(Tokens in) const
    {
        if (m_rewrites == 0)
            return in;
        const qsizetype count = in.size();
        // jet_concat ( ... ) each, and CAST ( ... AS text ) each operand.
        GrowInPlace grow(in, count + 3 * m_rewrites + 5 * m_casts);
        for (qsizetype i = 0; i < count; ++i) {
            Token token = grow.take(i);
            if (m_opens.at(i) & OpensConcat) {
                grow.put(word(QStringLiteral("jet_concat"), token.lead));
                grow.put(punct(QStringLiteral("(")));
                token.lead.clear();
            }
            if (m_opens.at(i) & OpensCast) {
                grow.put(word(QStringLiteral("CAST"), token.lead));
                grow.put(punct(QStringLiteral("(")));
                token.lead.clear();
            }
            grow.put(m_commas.at(i) ? punct(QStringLiteral(",")) : std::move(token));
            for (const Close close : m_closes.at(i)) {
                if (close == Close::Cast) {
                    grow.put(word(QStringLiteral("AS")));
                    grow.put(word(QStringLiteral("text")));
                }
                grow.put(punct(QStringLiteral(")")));
            }
        }
        return in;
    }

private:
    // The run of operands being read at one bracket level.
    struct Run
    {
        qsizetype firstAmpersand = 0; // its &s are m_ampersands from here on
        qsizetype first = -1;         // its first token; -1 while it has none
        qsizetype last = -1;          // its last token
        bool operandHasPart = false;
        bool emptyOperand = false;

        void addOperandPart(qsizetype at)
        {
            if (first < 0)
                first = at;
            last = at;
            operandHasPart = true;
        }
        void addAmpersand(qsizetype at)
        {
            if (first < 0)
                first = at;
            last = at;
            emptyOperand = emptyOperand || !operandHasPart;
            operandHasPart = false;
        }
    };

    static bool endsOperand(const Token &token)
    {
        static const QSet<QString> marks{QStringLiteral(","), QStringLiteral(";"), QStringLiteral("="),
                                         QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="),
                                         QStringLiteral(">="), QStringLiteral("<>"), QStringLiteral("!="),
                                         QStringLiteral("==")};
        if (token.kind == Kind::Punct)
            return marks.contains(token.text);
        return isWordIn(token, clauseWords());
    }

    // A run with an & and no empty operand is rewritten; its &s are done with.
    void finish(const Run &run)
    {
        const bool chain = m_ampersands.size() > run.firstAmpersand;
        if (chain && !run.emptyOperand && run.operandHasPart) {
            m_opens[run.first] |= OpensConcat;
            for (qsizetype a = run.firstAmpersand; a < m_ampersands.size(); ++a) {
                const qsizetype ampersand = m_ampersands.at(a);
                m_commas[ampersand] = true;
                if (m_castOperands)
                    castOperand(a == run.firstAmpersand ? run.first : m_ampersands.at(a - 1) + 1, ampersand - 1);
            }
            if (m_castOperands)
                castOperand(m_ampersands.last() + 1, run.last);
            m_closes[run.last].append(Close::Concat);
            ++m_rewrites;
        }
        m_ampersands.resize(run.firstAmpersand);
    }

    void castOperand(qsizetype first, qsizetype last)
    {
        m_opens[first] |= OpensCast;
        m_closes[last].append(Close::Cast);
        ++m_casts;
    }

    enum Opens : quint8 { OpensConcat = 1, OpensCast = 2 };
    enum class Close : quint8 { Concat, Cast };

    const bool m_castOperands;
    QVector<quint8> m_opens;  // jet_concat( and/or CAST( go in front of the token
    QVector<bool> m_commas;   // the & becomes a comma
    QVector<QVector<Close>> m_closes; // what closes after the token, innermost first
    QVector<qsizetype> m_ampersands; // the &s of the runs still open, outermost first
    qsizetype m_rewrites = 0;
    qsizetype m_casts = 0;
};

Tokens rewriteConcat(Tokens tokens, SqlDialect::Target target)
{
    const ConcatPlan plan(tokens, target == SqlDialect::Target::PostgreSQL);
    return plan.applyTo(std::move(tokens));
}

// --- SELECT lists, ORDER BY and GROUP BY -------------------------------------

bool isQualifiedColumn(const Tokens &tokens, qsizetype from, qsizetype to)
{
    return to - from == 3 && isName(tokens.at(from)) && isPunct(tokens.at(from + 1), QLatin1String("."))
        && (tokens.at(from + 2).kind == Kind::Word || tokens.at(from + 2).kind == Kind::Bracketed);
}

bool isSimpleTerm(const Tokens &tokens, qsizetype from, qsizetype to)
{
    if (to - from == 1) {
        const Kind kind = tokens.at(from).kind;
        return kind == Kind::Word || kind == Kind::Bracketed || kind == Kind::Number;
    }
    return isQualifiedColumn(tokens, from, to);
}

// The name a select item comes back under, for spotting duplicates.
QString itemName(const Tokens &tokens, qsizetype from, qsizetype to)
{
    if (to - from >= 2 && is(tokens.at(to - 2), QLatin1String("AS")))
        return bareName(tokens.at(to - 1)).toLower();
    if (isQualifiedColumn(tokens, from, to))
        return bareName(tokens.at(from + 2)).toLower();
    if (to - from == 1 && isName(tokens.at(from)))
        return bareName(tokens.at(from)).toLower();
    return QString();
}

// Tokens to put in front of positions of a statement, all written in one pass
// at the end; at one position they keep the order they were added in.
class Insertions
{
public:
    void add(qsizetype before, const Token &token) { m_inserts.append({before, token}); }

    Tokens applyTo(Tokens in) const
    {
        if (m_inserts.isEmpty())
            return in;
        // Bucketed by position: where the insertions in front of i begin.
        QVector<qsizetype> begins(in.size() + 2, 0);
        for (const Insert &insert : m_inserts)
            ++begins[insert.before + 1];
        for (qsizetype i = 1; i < begins.size(); ++i)
            begins[i] += begins[i - 1];
        QVector<const Token *> ordered(m_inserts.size());
        QVector<qsizetype> next = begins;
        for (const Insert &insert : m_inserts)
            ordered[next[insert.before]++] = &insert.token;

        const qsizetype count = in.size();
        GrowInPlace grow(in, count + m_inserts.size());
        for (qsizetype i = 0; i <= count; ++i) {
            Token token = i < count ? grow.take(i) : Token{};
            for (qsizetype k = begins.at(i); k < begins.at(i + 1); ++k)
                grow.put(*ordered.at(k));
            if (i < count)
                grow.put(std::move(token));
        }
        return in;
    }

private:
    struct Insert
    {
        qsizetype before;
        Token token;
    };
    QVector<Insert> m_inserts;
};

// Finds the select lists and the ORDER BY and GROUP BY lists of a statement,
// subqueries included, and the additions they need. Every scan steps over
// bracketed groups, and lists of one kind at one depth never overlap, so each
// token is looked at a fixed number of times however the lists nest.
class SelectRewrite
{
public:
    // collateKeys: give expression sort keys the case-insensitive collation.
    // PostgreSQL carries a column's collation through expressions itself, and
    // refuses a collation on a number.
    SelectRewrite(const Tokens &tokens, bool collateKeys)
        : m_tokens(tokens)
    {
        for (qsizetype i = 0; i < tokens.size(); ++i) {
            if (is(tokens.at(i), QLatin1String("SELECT")))
                aliasSelectList(i);
            else if (collateKeys && (is(tokens.at(i), QLatin1String("ORDER")) || is(tokens.at(i), QLatin1String("GROUP")))
                     && isAt(tokens, i + 1, QLatin1String("BY")))
                collateSortKeys(i + 1);
        }
    }

    const Insertions &insertions() const { return m_inserts; }

private:
    // Unaliased "T.Column" items get "AS Column": SQLite names such an item
    // after its column only by chance (a nested join can make it "Column:1").
    // When two items share a column name they are named "T.Column", as the
    // host does. A list ends where a clause or another SELECT of its depth
    // begins.
    void aliasSelectList(qsizetype select)
    {
        qsizetype from = select + 1;
        while (from < m_tokens.size()
               && (isAt(m_tokens, from, QLatin1String("DISTINCT")) || isAt(m_tokens, from, QLatin1String("ALL"))))
            ++from;
        const qsizetype end = brackets().scan(from, [](const Token &t) {
            return is(t, QLatin1String("FROM")) || is(t, QLatin1String("WHERE")) || is(t, QLatin1String("UNION"))
                || is(t, QLatin1String("SELECT")) || is(t, QLatin1String("ORDER")) || is(t, QLatin1String("GROUP")) || isPunct(t, QLatin1String(";"));
        });
        const auto items = brackets().splitAtCommas(from, end);
        QHash<QString, int> uses;
        for (const auto &item : items)
            ++uses[itemName(m_tokens, item.first, item.second)];
        for (const auto &item : items) {
            if (!isQualifiedColumn(m_tokens, item.first, item.second))
                continue;
            const Token &table = m_tokens.at(item.first);
            const Token &column = m_tokens.at(item.first + 2);
            const QString alias = uses.value(bareName(column).toLower()) > 1
                ? QLatin1Char('[') + bareName(table) + QLatin1Char('.') + bareName(column) + QLatin1Char(']')
                : column.text;
            m_inserts.add(item.second, word(QStringLiteral("AS")));
            m_inserts.add(item.second, Token{column.kind == Kind::Word && alias == column.text ? Kind::Word : Kind::Bracketed,
                                             alias, QStringLiteral(" ")});
        }
    }

    // Sort and group keys that are expressions carry no column collation; give
    // them the case-insensitive one the host compares texts with.
    void collateSortKeys(qsizetype by)
    {
        const qsizetype end = brackets().scan(by + 1, [](const Token &t) {
            return is(t, QLatin1String("HAVING")) || is(t, QLatin1String("ORDER")) || is(t, QLatin1String("GROUP"))
                || is(t, QLatin1String("LIMIT")) || is(t, QLatin1String("UNION")) || is(t, QLatin1String("EXCEPT"))
                || is(t, QLatin1String("INTERSECT")) || is(t, QLatin1String("WINDOW")) || isPunct(t, QLatin1String(";"));
        });
        for (const auto &term : brackets().splitAtCommas(by + 1, end)) {
            qsizetype last = term.second;
            if (last > term.first
                && (is(m_tokens.at(last - 1), QLatin1String("ASC")) || is(m_tokens.at(last - 1), QLatin1String("DESC"))))
                --last;
            if (last <= term.first || isSimpleTerm(m_tokens, term.first, last))
                continue;
            const QVector<qsizetype> &collates = collatesBefore();
            if (collates.at(last) > collates.at(term.first))
                continue; // collated already, perhaps inside a call
            m_inserts.add(last, word(QStringLiteral("COLLATE")));
            m_inserts.add(last, word(QStringLiteral("NOCASE")));
        }
    }

    const Tokens &m_tokens;
    // Found when the first list needs them: most statements have none.
    const Brackets &brackets()
    {
        if (!m_brackets)
            m_brackets.emplace(m_tokens);
        return *m_brackets;
    }
    // How many COLLATE words precede each token.
    const QVector<qsizetype> &collatesBefore()
    {
        if (m_collatesBefore.isEmpty()) {
            m_collatesBefore.resize(m_tokens.size() + 1);
            m_collatesBefore[0] = 0;
            for (qsizetype i = 0; i < m_tokens.size(); ++i)
                m_collatesBefore[i + 1] = m_collatesBefore[i] + (is(m_tokens.at(i), QLatin1String("COLLATE")) ? 1 : 0);
        }
        return m_collatesBefore;
    }

    std::optional<Brackets> m_brackets;
    QVector<qsizetype> m_collatesBefore;
    Insertions m_inserts;
};

Tokens rewriteSelects(Tokens tokens, SqlDialect::Target target)
{
    const Insertions insertions = SelectRewrite(tokens, target == SqlDialect::Target::SQLite).insertions();
    return insertions.applyTo(std::move(tokens));
}

// --- CREATE TABLE and ALTER TABLE -----------------------------------------

QString integerCheck(const QString &column, const char *low, const char *high)
{
    return QStringLiteral("INTEGER CHECK (%1 IS NULL OR (typeof(%1)='integer' AND %1 BETWEEN %2 AND %3))")
        .arg(column, QLatin1String(low), QLatin1String(high));
}

// The host's column types, by what they hold.
enum class HostType { Counter, Text, Memo, YesNo, Long, Short, Byte, Date, Double, Currency, Binary, Other };

HostType hostType(const QString &type)
{
    static const QHash<QString, HostType> types = [] {
        QHash<QString, HostType> byName;
        const auto add = [&](HostType kind, std::initializer_list<const char *> names) {
            for (const char *name : names)
                byName.insert(QString::fromLatin1(name), kind);
        };
        add(HostType::Counter, {"COUNTER", "AUTOINCREMENT", "IDENTITY"});
        add(HostType::Text, {"TEXT", "VARCHAR", "CHAR", "CHARACTER", "STRING", "NCHAR", "NVARCHAR", "ALPHANUMERIC"});
        add(HostType::Memo, {"MEMO", "LONGTEXT", "LONGCHAR", "NOTE", "NTEXT"});
        add(HostType::YesNo, {"BIT", "YESNO", "LOGICAL", "LOGICAL1", "BOOLEAN"});
        add(HostType::Long, {"LONG", "INTEGER", "INT", "INTEGER4"});
        add(HostType::Short, {"SHORT", "SMALLINT", "INTEGER2"});
        add(HostType::Byte, {"BYTE", "TINYINT", "INTEGER1"});
        add(HostType::Date, {"DATETIME", "DATE", "TIME", "TIMESTAMP", "GUID"});
        add(HostType::Double, {"DOUBLE", "FLOAT", "FLOAT8", "SINGLE", "REAL", "FLOAT4", "IEEEDOUBLE", "IEEESINGLE", "NUMBER"});
        add(HostType::Currency, {"CURRENCY", "MONEY"});
        add(HostType::Binary, {"BINARY", "VARBINARY", "LONGBINARY", "OLEOBJECT", "IMAGE", "GENERAL"});
        return byName;
    }();
    return types.value(type.toUpper(), HostType::Other);
}

// The SQLite column type for a host type; empty when the type is kept as written.
QString mapTypeSqlite(HostType type, const QString &column, const QString &size, bool addingColumn)
{
    switch (type) {
    case HostType::Counter:
        return addingColumn ? QStringLiteral("INTEGER") : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case HostType::Text:
        if (size.isEmpty())
            return QStringLiteral("TEXT COLLATE NOCASE");
        return QStringLiteral("TEXT COLLATE NOCASE CHECK (length(%1) <= %2)").arg(column, size);
    case HostType::Memo:
        return QStringLiteral("TEXT COLLATE NOCASE");
    case HostType::YesNo:
        return QStringLiteral("INTEGER NOT NULL DEFAULT 0");
    case HostType::Long:
        return integerCheck(column, "-2147483648", "2147483647");
    case HostType::Short:
        return integerCheck(column, "-32768", "32767");
    case HostType::Byte:
        return integerCheck(column, "0", "255");
    case HostType::Date:
        return QStringLiteral("TEXT");
    case HostType::Double:
        return QStringLiteral("REAL");
    case HostType::Currency:
        return QStringLiteral("NUMERIC");
    case HostType::Binary:
        return QStringLiteral("BLOB");
    case HostType::Other:
        break;
    }
    return QString();
}

// The PostgreSQL column type for a host type: the same values and widths as
// on SQLite (dates as the same text), texts compared without regard to case.
QString mapTypePostgres(HostType type, const QString &column, const QString &size, bool addingColumn)
{
    switch (type) {
    case HostType::Counter:
        return addingColumn ? QStringLiteral("integer") : QStringLiteral("integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
    case HostType::Text:
        if (size.isEmpty())
            return QStringLiteral("text COLLATE nocase");
        return QStringLiteral("varchar(%1) COLLATE nocase").arg(size);
    case HostType::Memo:
        return QStringLiteral("text COLLATE nocase");
    case HostType::YesNo:
        return QStringLiteral("smallint NOT NULL DEFAULT 0");
    case HostType::Long:
        return QStringLiteral("integer");
    case HostType::Short:
        return QStringLiteral("smallint");
    case HostType::Byte:
        return QStringLiteral("smallint CHECK (%1 BETWEEN 0 AND 255)").arg(column);
    case HostType::Date:
        return QStringLiteral("text");
    case HostType::Double:
        return QStringLiteral("double precision");
    case HostType::Currency:
        return QStringLiteral("numeric(19,4)");
    case HostType::Binary:
        return QStringLiteral("bytea");
    case HostType::Other:
        break;
    }
    return QString();
}

// A name as PostgreSQL reads it: folded to lower case, as it folds every name
// written without quotes, and quoted when bracketed (it may hold a blank or a
// word PostgreSQL reserves).
QString postgresName(const Token &token)
{
    if (token.kind != Kind::Bracketed && token.kind != Kind::Quoted)
        return token.text;
    QString name = bareName(token).toLower();
    name.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

bool isCounterType(const Token &token)
{
    return is(token, QLatin1String("COUNTER")) || is(token, QLatin1String("AUTOINCREMENT"))
        || is(token, QLatin1String("IDENTITY"));
}

// One column definition: name, host type, optional (size), further constraints.
Tokens columnDefinition(const Tokens &def, bool addingColumn, SqlDialect::Target target)
{
    if (def.size() < 2 || !isName(def.at(0)) || def.at(1).kind != Kind::Word)
        return def;
    qsizetype rest = 2;
    QString size;
    if (isPunctAt(def, 2, QLatin1String("("))) {
        const qsizetype close = Brackets(def).closing(2);
        for (qsizetype i = 3; i < close; ++i)
            size += def.at(i).text;
        rest = close + 1;
    }
    const HostType type = hostType(def.at(1).text);
    const QString mapped = target == SqlDialect::Target::SQLite
        ? mapTypeSqlite(type, def.at(0).text, size, addingColumn)
        : mapTypePostgres(type, postgresName(def.at(0)), size, addingColumn);
    if (mapped.isEmpty())
        return def;
    Tokens out{def.at(0), word(mapped, def.at(1).lead)};
    const bool counter = isCounterType(def.at(1));
    for (qsizetype i = rest; i < def.size(); ++i) {
        // A counter is already the key; a second PRIMARY KEY would be refused.
        if (counter && is(def.at(i), QLatin1String("CONSTRAINT")) && isAt(def, i + 2, QLatin1String("PRIMARY"))) {
            i += 3;
            continue;
        }
        if (counter && is(def.at(i), QLatin1String("PRIMARY")) && isAt(def, i + 1, QLatin1String("KEY"))) {
            ++i;
            continue;
        }
        out << def.at(i);
    }
    return out;
}

// "[CONSTRAINT name] PRIMARY KEY (column)" naming exactly one of the columns.
bool isKeyOn(const Tokens &def, const QSet<QString> &columnKeys)
{
    qsizetype i = 0;
    if (is(def.value(0, Token{}), QLatin1String("CONSTRAINT")))
        i = 2;
    if (!isAt(def, i, QLatin1String("PRIMARY")) || !isAt(def, i + 1, QLatin1String("KEY"))
        || !isPunctAt(def, i + 2, QLatin1String("(")) || !isPunctAt(def, i + 4, QLatin1String(")"))
        || def.size() != i + 5)
        return false;
    return columnKeys.contains(nameKey(def.at(i + 3)));
}

Tokens rewriteCreateTable(const Tokens &in, SqlDialect::Target target)
{
    qsizetype open = 2;
    while (open < in.size() && !isPunct(in.at(open), QLatin1String("(")))
        ++open;
    if (open >= in.size())
        return in;
    const Brackets brackets(in);
    const qsizetype close = brackets.closing(open);
    const auto parts = brackets.splitAtCommas(open + 1, close);

    QSet<QString> counters;
    for (const auto &part : parts) {
        if (part.second - part.first >= 2 && isCounterType(in.at(part.first + 1)))
            counters << nameKey(in.at(part.first));
    }
    Tokens out = slice(in, 0, open + 1);
    bool first = true;
    for (const auto &part : parts) {
        const Tokens def = slice(in, part.first, part.second);
        if (def.isEmpty())
            continue;
        // The counter column carries the key itself; Jet's separate key clause goes.
        if (isKeyOn(def, counters))
            continue;
        if (!first)
            out << punct(QStringLiteral(","));
        first = false;
        const Token &head = def.first();
        const bool tableConstraint = is(head, QLatin1String("CONSTRAINT")) || is(head, QLatin1String("PRIMARY"))
            || is(head, QLatin1String("UNIQUE")) || is(head, QLatin1String("CHECK")) || is(head, QLatin1String("FOREIGN"));
        out += tableConstraint ? def : columnDefinition(def, false, target);
    }
    out += slice(in, close, in.size());
    return out;
}

// ALTER TABLE t ADD [COLUMN] c type: SQLite wants COLUMN and a mapped type.
Tokens rewriteAlterTable(const Tokens &in, SqlDialect::Target target)
{
    if (in.size() < 5 || !is(in.at(3), QLatin1String("ADD")))
        return in;
    qsizetype def = 4;
    Tokens out = slice(in, 0, 4);
    if (is(in.at(4), QLatin1String("COLUMN"))) {
        out << in.at(4);
        def = 5;
    } else if (is(in.at(4), QLatin1String("CONSTRAINT")) || is(in.at(4), QLatin1String("PRIMARY"))) {
        return in;
    } else {
        out << word(QStringLiteral("COLUMN"));
    }
    out += columnDefinition(slice(in, def, in.size()), true, target);
    return out;
}

// --- DELETE and UPDATE ------------------------------------------------------

struct TableRef
{
    Token table;
    Token alias;
    bool hasAlias = false;
};

// Table references of a FROM clause [from, to), with their aliases.
QVector<TableRef> tableRefs(const Tokens &tokens, qsizetype from, qsizetype to)
{
    QVector<TableRef> refs;
    for (qsizetype i = from; i < to; ++i) {
        const Token &token = tokens.at(i);
        const bool afterJoin = i == from || is(tokens.at(i - 1), QLatin1String("JOIN"))
            || isPunct(tokens.at(i - 1), QLatin1String("(")) || isPunct(tokens.at(i - 1), QLatin1String(","));
        if (!afterJoin || !isName(token) || isPunctAt(tokens, i + 1, QLatin1String(".")))
            continue;
        TableRef ref{token, Token{}, false};
        qsizetype next = i + 1;
        if (isAt(tokens, next, QLatin1String("AS")))
            ++next;
        if (next < to && isName(tokens.at(next))) {
            ref.alias = tokens.at(next);
            ref.hasAlias = true;
        }
        refs << ref;
    }
    return refs;
}

Tokens rewriteDelete(Tokens tokens, SqlDialect::Target target)
{
    // The engine's own name for the row a DELETE of a join picks.
    const QString rowKey = target == SqlDialect::Target::SQLite ? QStringLiteral("rowid") : QStringLiteral("ctid");
    // DELETE * FROM t
    if (isPunctAt(tokens, 1, QLatin1String("*")) && isAt(tokens, 2, QLatin1String("FROM")))
        tokens.remove(1);

    // DELETE t.* FROM t [INNER JOIN x ON c] WHERE w
    if (tokens.size() > 4 && isName(tokens.at(1)) && isPunct(tokens.at(2), QLatin1String("."))
        && isPunct(tokens.at(3), QLatin1String("*")) && is(tokens.at(4), QLatin1String("FROM"))) {
        const Token target = tokens.at(1);
        const qsizetype fromClause = 5;
        const qsizetype whereAt
            = Brackets(tokens).scan(fromClause, [](const Token &t) { return is(t, QLatin1String("WHERE")); });
        bool joined = false;
        for (qsizetype i = fromClause; i < whereAt; ++i)
            joined = joined || is(tokens.at(i), QLatin1String("JOIN")) || isPunct(tokens.at(i), QLatin1String(","));
        if (!joined) {
            tokens.remove(1, 3);
        } else {
            Token table = target;
            for (const TableRef &ref : tableRefs(tokens, fromClause, whereAt)) {
                if (sameName(ref.table, target) || (ref.hasAlias && sameName(ref.alias, target))) {
                    table = ref.table;
                    break;
                }
            }
            table.lead = QStringLiteral(" ");
            Token qualifier = target;
            qualifier.lead = QStringLiteral(" ");
            // "t . *" (three tokens) gives way to ten, the rest staying where it is.
            const Tokens head{word(QStringLiteral("FROM")), table, word(QStringLiteral("WHERE")),
                              word(rowKey), word(QStringLiteral("IN")), punct(QStringLiteral("("), QStringLiteral(" ")),
                              word(QStringLiteral("SELECT"), QString()), qualifier, punct(QStringLiteral(".")),
                              word(rowKey, QString())};
            tokens.insert(4, head.size() - 3, Token{});
            std::copy(head.cbegin(), head.cend(), tokens.begin() + 1);
            tokens << punct(QStringLiteral(")"));
            return tokens;
        }
    }

    // DELETE FROM t t WHERE: SQLite wants the alias after AS.
    if (isAt(tokens, 1, QLatin1String("FROM")) && tokens.size() > 3 && isName(tokens.at(2))
        && !isPunctAt(tokens, 3, QLatin1String(".")) && isName(tokens.at(3)))
        tokens.insert(3, word(QStringLiteral("AS")));
    return tokens;
}

using Range = QPair<qsizetype, qsizetype>;

// Appends tokens [range.first, range.second) of in, the first one with lead
// `lead` when one is given.
void appendRange(Tokens &out, const Tokens &in, Range range, const std::optional<QString> &lead = std::nullopt)
{
    for (qsizetype k = range.first; k < range.second; ++k) {
        out << in.at(k);
        if (k == range.first && lead)
            out.last().lead = *lead;
    }
}

// Appends the SET list with the table stripped from its targets: "SET t.col = e"
// becomes "SET col = e".
void appendSetList(Tokens &out, const Tokens &in, const Brackets &brackets, qsizetype from, qsizetype to)
{
    const qsizetype start = out.size();
    for (const Range &part : brackets.splitAtCommas(from, to)) {
        if (out.size() > start)
            out << punct(QStringLiteral(","));
        if (part.second - part.first > 3 && isName(in.at(part.first)) && isPunct(in.at(part.first + 1), QLatin1String("."))
            && isPunct(in.at(part.first + 3), QLatin1String("=")))
            appendRange(out, in, {part.first + 2, part.second}, in.at(part.first).lead);
        else
            appendRange(out, in, part);
    }
}

void appendParenthesized(Tokens &out, const Tokens &in, Range condition)
{
    out << punct(QStringLiteral("("), QStringLiteral(" "));
    appendRange(out, in, condition, QString());
    out << punct(QStringLiteral(")"));
}

// UPDATE t [AS a] INNER JOIN x [AS b] ON c ... SET t.col = e [WHERE w]
// becomes UPDATE t [AS a] SET col = e FROM x [AS b], ... WHERE c [AND w].
// The parts are found as ranges and copied once, straight into the result.
Tokens rewriteUpdate(const Tokens &in)
{
    if (in.size() < 2 || !isName(in.at(1)))
        return in; // a joined target in brackets: SQLite reports it as it stands
    const Brackets brackets(in);
    const qsizetype setAt = brackets.scan(1, [](const Token &t) { return is(t, QLatin1String("SET")); });
    if (setAt >= in.size() || !is(in.at(setAt), QLatin1String("SET")))
        return in;
    const qsizetype whereAt = brackets.scan(setAt + 1, [](const Token &t) { return is(t, QLatin1String("WHERE")); });

    qsizetype i = 2; // after the target table
    if (isAt(in, i, QLatin1String("AS")))
        i += 2;
    else if (i < setAt && isName(in.at(i)))
        i += 1;
    const qsizetype headEnd = std::min(i, in.size());

    QVector<Range> sources;
    QVector<Range> conditions;
    while (i < setAt) {
        qsizetype joinAt = i;
        if (is(in.at(joinAt), QLatin1String("INNER")))
            ++joinAt;
        if (!isAt(in, joinAt, QLatin1String("JOIN")))
            break;
        const auto stopAt = [](const Token &t) {
            return is(t, QLatin1String("ON")) || is(t, QLatin1String("INNER")) || is(t, QLatin1String("JOIN"))
                || is(t, QLatin1String("LEFT")) || is(t, QLatin1String("RIGHT")) || is(t, QLatin1String("SET"));
        };
        const qsizetype onAt = brackets.scan(joinAt + 1, stopAt);
        if (onAt >= setAt || !is(in.at(onAt), QLatin1String("ON")))
            return in;
        const qsizetype conditionEnd = std::min(brackets.scan(onAt + 1, stopAt), setAt);
        sources << Range{joinAt + 1, onAt};
        conditions << Range{onAt + 1, conditionEnd};
        i = conditionEnd;
    }
    if (i != setAt)
        return in; // an outer or nested join: SQLite reports it as it stands

    Tokens out;
    out.reserve(in.size() + 2 * conditions.size() + sources.size() + 4);
    appendRange(out, in, {0, headEnd});
    out << in.at(setAt);
    appendSetList(out, in, brackets, setAt + 1, whereAt);
    if (sources.isEmpty()) {
        appendRange(out, in, {whereAt, in.size()});
        return out;
    }
    out << word(QStringLiteral("FROM"));
    for (qsizetype s = 0; s < sources.size(); ++s) {
        if (s > 0)
            out << punct(QStringLiteral(","));
        appendRange(out, in, sources.at(s));
    }
    if (whereAt < in.size())
        conditions << Range{whereAt + 1, in.size()};
    out << word(QStringLiteral("WHERE"));
    if (conditions.size() == 1) {
        appendRange(out, in, conditions.first());
    } else {
        for (qsizetype c = 0; c < conditions.size(); ++c) {
            if (c > 0)
                out << word(QStringLiteral("AND"));
            appendParenthesized(out, in, conditions.at(c));
        }
    }
    return out;
}

// The & rewrite descends one level per parenthesis; a statement nested beyond
// what SQLite itself would take is refused before it starts.
void refuseDeepNesting(const Tokens &tokens)
{
    int depth = 0;
    for (const Token &token : tokens) {
        if (isPunct(token, QLatin1String("(")) && ++depth > SqlDialect::MaxNesting)
            throw StoreError(StoreError::TooComplex,
                             QStringLiteral("Query is too complex: it nests more than %1 levels of parentheses.")
                                 .arg(SqlDialect::MaxNesting));
        if (isPunct(token, QLatin1String(")")))
            --depth;
    }
}

// SELECT [DISTINCT] TOP n ...: the engines write the limit at the end.
Tokens rewriteTop(Tokens tokens)
{
    qsizetype top = 1;
    if (isAt(tokens, top, QLatin1String("DISTINCT")) || isAt(tokens, top, QLatin1String("ALL")))
        ++top;
    if (!isAt(tokens, top, QLatin1String("TOP")) || top + 1 >= tokens.size() || tokens.at(top + 1).kind != Kind::Number
        || isAt(tokens, top + 2, QLatin1String("PERCENT")))
        return tokens;
    const Token count = tokens.at(top + 1);
    tokens.remove(top, 2);
    const qsizetype end = isPunct(tokens.last(), QLatin1String(";")) ? tokens.size() - 1 : tokens.size();
    tokens.insert(end, Token{Kind::Number, count.text, QStringLiteral(" ")});
    tokens.insert(end, word(QStringLiteral("LIMIT")));
    return tokens;
}

// What PostgreSQL reads differently from SQLite once the shared rewrites are
// done: bracketed names, and True and False, which go into the whole-number
// yes/no columns as 1 and 0, as SQLite stores them.
Tokens finishForPostgres(Tokens tokens)
{
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        Token &token = tokens[i];
        if (token.kind == Kind::Bracketed) {
            token.text = postgresName(token);
        } else if ((is(token, QLatin1String("True")) || is(token, QLatin1String("False")))
                   && !isPunctAt(tokens, i + 1, QLatin1String("(")) && !isPunctAt(tokens, i + 1, QLatin1String("."))
                   && !(i > 0 && isPunct(tokens.at(i - 1), QLatin1String(".")))) {
            token.text = is(token, QLatin1String("True")) ? QStringLiteral("1") : QStringLiteral("0");
            token.kind = Kind::Number;
        }
    }
    return tokens;
}

} // namespace

QString SqlDialect::translate(const QString &accessSql, Target target)
{
    QString trailing;
    Tokens tokens = tokenize(accessSql, trailing);
    if (tokens.isEmpty())
        return accessSql;
    refuseDeepNesting(tokens);

    tokens = rewriteLiterals(std::move(tokens));
    tokens = rewriteConcat(std::move(tokens), target);
    tokens = rewriteSelects(std::move(tokens), target);

    const Token &first = tokens.first();
    if (is(first, QLatin1String("CREATE")) && isAt(tokens, 1, QLatin1String("TABLE")))
        tokens = rewriteCreateTable(tokens, target);
    else if (is(first, QLatin1String("ALTER")) && isAt(tokens, 1, QLatin1String("TABLE")))
        tokens = rewriteAlterTable(tokens, target);
    else if (is(first, QLatin1String("DELETE")))
        tokens = rewriteDelete(std::move(tokens), target);
    else if (is(first, QLatin1String("UPDATE")))
        tokens = rewriteUpdate(tokens);
    else if (is(first, QLatin1String("SELECT")))
        tokens = rewriteTop(std::move(tokens));

    if (target == Target::PostgreSQL)
        tokens = finishForPostgres(std::move(tokens));
    return join(tokens, trailing);
}
