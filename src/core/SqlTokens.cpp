#include "SqlTokens.h"

#include "StoreError.h"

namespace SqlTokens {

Token word(const QString &text, const QString &lead)
{
    return {Kind::Word, text, lead};
}

Token punct(const QString &text, const QString &lead)
{
    return {Kind::Punct, text, lead};
}

bool is(const Token &token, QLatin1String keyword)
{
    return token.kind == Kind::Word && token.text.compare(keyword, Qt::CaseInsensitive) == 0;
}

bool isPunct(const Token &token, QLatin1String text)
{
    return token.kind == Kind::Punct && token.text == text;
}

bool isAt(const Tokens &tokens, qsizetype i, QLatin1String keyword)
{
    return i >= 0 && i < tokens.size() && is(tokens.at(i), keyword);
}

bool isPunctAt(const Tokens &tokens, qsizetype i, QLatin1String text)
{
    return i >= 0 && i < tokens.size() && isPunct(tokens.at(i), text);
}

bool isWordIn(const Token &token, const QSet<QString> &words)
{
    return token.kind == Kind::Word && words.contains(token.text.toUpper());
}

// Words that end an operand of & (besides commas and comparisons).
const QSet<QString> &clauseWords()
{
    static const QSet<QString> words{
        QStringLiteral("SELECT"), QStringLiteral("DISTINCT"), QStringLiteral("DISTINCTROW"), QStringLiteral("ALL"),
        QStringLiteral("TOP"), QStringLiteral("FROM"), QStringLiteral("WHERE"), QStringLiteral("GROUP"),
        QStringLiteral("ORDER"), QStringLiteral("BY"), QStringLiteral("HAVING"), QStringLiteral("AS"),
        QStringLiteral("ON"), QStringLiteral("AND"), QStringLiteral("OR"), QStringLiteral("NOT"),
        QStringLiteral("XOR"), QStringLiteral("EQV"), QStringLiteral("IMP"), QStringLiteral("LIKE"),
        QStringLiteral("IS"), QStringLiteral("IN"), QStringLiteral("BETWEEN"), QStringLiteral("ASC"),
        QStringLiteral("DESC"), QStringLiteral("JOIN"), QStringLiteral("INNER"), QStringLiteral("LEFT"),
        QStringLiteral("RIGHT"), QStringLiteral("OUTER"), QStringLiteral("FULL"), QStringLiteral("CROSS"),
        QStringLiteral("UNION"), QStringLiteral("SET"), QStringLiteral("VALUES"), QStringLiteral("INTO"),
        QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE"), QStringLiteral("CASE"),
        QStringLiteral("WHEN"), QStringLiteral("THEN"), QStringLiteral("ELSE"), QStringLiteral("END"),
        QStringLiteral("COLLATE"), QStringLiteral("LIMIT"), QStringLiteral("ESCAPE"),
    };
    return words;
}

// Words that can never be a table alias.
const QSet<QString> &reservedWords()
{
    static const QSet<QString> words = clauseWords() + QSet<QString>{
        QStringLiteral("NATURAL"), QStringLiteral("USING"), QStringLiteral("EXCEPT"),
        QStringLiteral("INTERSECT"), QStringLiteral("WINDOW"), QStringLiteral("RETURNING"),
        QStringLiteral("INDEXED"), QStringLiteral("NULL"),
    };
    return words;
}

bool isName(const Token &token)
{
    return (token.kind == Kind::Word && !reservedWords().contains(token.text.toUpper()))
        || token.kind == Kind::Bracketed || token.kind == Kind::Quoted;
}

// A name without its brackets, for comparing names.
QString bareName(const Token &token)
{
    if (token.kind == Kind::Bracketed || token.kind == Kind::Quoted)
        return token.text.mid(1, token.text.size() - 2);
    return token.text;
}

bool sameName(const Token &a, const Token &b)
{
    return bareName(a).compare(bareName(b), Qt::CaseInsensitive) == 0;
}

// A case-insensitive comparison folds each character the way toCaseFolded() does.
QString nameKey(const Token &token)
{
    return bareName(token).toCaseFolded();
}

// --- tokens ---------------------------------------------------------------

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// A piece of the statement, sharing its characters: a statement cut into
// many thousands of tokens allocates nothing per token.
QString characters(const QString &sql, qsizetype from, qsizetype to)
{
    return QString::fromRawData(sql.constData() + from, to - from);
}

QString blanks(const QString &sql, qsizetype from, qsizetype to)
{
    if (from == to)
        return QString();
    return characters(sql, from, to);
}

bool isPairedMark(QChar first, QChar second)
{
    static const QStringList pairs{QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                   QStringLiteral("!="), QStringLiteral("=="), QStringLiteral("||")};
    for (const QString &pair : pairs) {
        if (pair.at(0) == first && pair.at(1) == second)
            return true;
    }
    return false;
}

} // namespace

Tokens tokenize(const QString &sql, QString &trailing)
{
    Tokens tokens;
    const qsizetype n = sql.size();
    // Room for the most tokens the text can hold, so the list never moves while
    // it fills: moving a large one costs more than the unused room.
    tokens.reserve(n + 1);
    qsizetype i = 0;
    while (true) {
        const qsizetype blankStart = i;
        while (i < n && sql.at(i).isSpace())
            ++i;
        const QString lead = blanks(sql, blankStart, i);
        if (i >= n) {
            trailing = lead;
            break;
        }
        const qsizetype begin = i;
        const QChar c = sql.at(i);
        Kind kind = Kind::Punct;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            kind = c == QLatin1Char('\'') ? Kind::String : Kind::Quoted;
            ++i;
            bool closed = false;
            while (i < n && !closed) {
                if (sql.at(i) == c && i + 1 < n && sql.at(i + 1) == c) {
                    i += 2;   // a doubled quote stands for itself
                    continue;
                }
                closed = sql.at(i) == c;
                ++i;
            }
            if (!closed)
                throw StoreError(3075, QStringLiteral("Syntax error in string in query expression '%1'.")
                                           .arg(sql.mid(begin, 40)));
        } else if (c == QLatin1Char('[')) {
            kind = Kind::Bracketed;
            const qsizetype close = sql.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0)
                throw StoreError(3075, QStringLiteral("Invalid bracketing of name '%1'.").arg(sql.mid(begin, 40)));
            i = close + 1;
        } else if (c == QLatin1Char('#')) {
            // A date ends at the next '#' on the same line. Only the text up to
            // that '#' is looked at, so a statement of many dates is read once.
            const qsizetype close = sql.indexOf(QLatin1Char('#'), i + 1);
            if (close > i + 1 && !QStringView(sql).sliced(i + 1, close - i - 1).contains(QLatin1Char('\n'))) {
                kind = Kind::Date;
                i = close + 1;
            } else {
                ++i;
            }
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql.at(i + 1).isDigit())) {
            kind = Kind::Number;
            while (i < n && sql.at(i).isDigit())
                ++i;
            if (i < n && sql.at(i) == QLatin1Char('.')) {
                ++i;
                while (i < n && sql.at(i).isDigit())
                    ++i;
            }
            if (i < n && (sql.at(i) == QLatin1Char('e') || sql.at(i) == QLatin1Char('E'))) {
                qsizetype j = i + 1;
                if (j < n && (sql.at(j) == QLatin1Char('+') || sql.at(j) == QLatin1Char('-')))
                    ++j;
                if (j < n && sql.at(j).isDigit()) {
                    i = j;
                    while (i < n && sql.at(i).isDigit())
                        ++i;
                }
            }
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            kind = Kind::Word;
            while (i < n && isNameChar(sql.at(i)))
                ++i;
        } else {
            i += i + 1 < n && isPairedMark(c, sql.at(i + 1)) ? 2 : 1;
        }
        Token token{kind, characters(sql, begin, i), lead};
        // The host reads "2014AND" as 2014 followed by AND; SQLite refuses it.
        if (kind == Kind::Word && lead.isEmpty() && !tokens.isEmpty() && tokens.last().kind == Kind::Number)
            token.lead = QStringLiteral(" ");
        tokens.append(std::move(token));
    }
    return tokens;
}

QString join(const Tokens &tokens, const QString &trailing)
{
    qsizetype length = trailing.size();
    for (const Token &token : tokens)
        length += token.lead.size() + token.text.size();
    QString out;
    out.reserve(length);
    for (const Token &token : tokens) {
        out += token.lead;
        out += token.text;
    }
    out += trailing;
    return out;
}

Brackets::Brackets(const Tokens &tokens)
    : m_tokens(tokens)
    , m_closing(tokens.size(), tokens.size())
{
    QVector<qsizetype> open;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (isPunct(tokens.at(i), QLatin1String("("))) {
            open.append(i);
        } else if (isPunct(tokens.at(i), QLatin1String(")")) && !open.isEmpty()) {
            m_closing[open.last()] = i;
            open.removeLast();
        }
    }
}

qsizetype Brackets::closing(qsizetype open) const
{
    return m_closing.at(open);
}

qsizetype Brackets::scan(qsizetype from, const std::function<bool(const Token &)> &stop) const
{
    for (qsizetype i = from; i < m_tokens.size(); ++i) {
        const Token &token = m_tokens.at(i);
        if (isPunct(token, QLatin1String("(")))
            i = m_closing.at(i); // an unclosed group runs to the end
        else if (isPunct(token, QLatin1String(")")) || stop(token))
            return i;
    }
    return m_tokens.size();
}

QVector<QPair<qsizetype, qsizetype>> Brackets::splitAtCommas(qsizetype from, qsizetype to) const
{
    QVector<QPair<qsizetype, qsizetype>> parts;
    qsizetype start = from;
    for (qsizetype i = from; i < to; ++i) {
        const Token &token = m_tokens.at(i);
        if (isPunct(token, QLatin1String("("))) {
            i = m_closing.at(i);
        } else if (isPunct(token, QLatin1String(","))) {
            parts.append({start, i});
            start = i + 1;
        }
    }
    parts.append({start, to});
    return parts;
}

Tokens slice(const Tokens &tokens, qsizetype from, qsizetype to)
{
    return tokens.mid(from, to - from);
}

} // namespace SqlTokens
