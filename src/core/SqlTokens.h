#pragma once

// The tokens the SQL translation works on: names, [bracketed] names,
// "quoted" texts, 'strings', numbers, #dates# and punctuation, each keeping
// the blanks in front of it so that an untouched statement joins back exactly.

#include <QPair>
#include <QSet>
#include <QString>
#include <QVector>

#include <functional>

namespace SqlTokens {

enum class Kind { Word, Bracketed, Quoted, String, Number, Date, Punct };

struct Token
{
    Kind kind;
    QString text;
    QString lead; // the blanks in front of the token
};

} // namespace SqlTokens

// Growing a token vector moves its tokens bytewise instead of copying each one.
Q_DECLARE_TYPEINFO(SqlTokens::Token, Q_RELOCATABLE_TYPE);

namespace SqlTokens {

using Tokens = QVector<Token>;

Token word(const QString &text, const QString &lead = QStringLiteral(" "));
Token punct(const QString &text, const QString &lead = QString());

bool is(const Token &token, QLatin1String keyword);
bool isPunct(const Token &token, QLatin1String text);
bool isAt(const Tokens &tokens, qsizetype i, QLatin1String keyword);
bool isPunctAt(const Tokens &tokens, qsizetype i, QLatin1String text);
bool isWordIn(const Token &token, const QSet<QString> &words);

// Words that end an operand of & (besides commas and comparisons).
const QSet<QString> &clauseWords();
// Words that can never be a table alias.
const QSet<QString> &reservedWords();

bool isName(const Token &token);
// A name without its brackets, for comparing names.
QString bareName(const Token &token);
bool sameName(const Token &a, const Token &b);
// A name's key for sets and hashes: two keys are equal exactly when sameName() holds.
QString nameKey(const Token &token);

// Cuts a statement into tokens; what follows the last token (blanks, a
// semicolon) is kept in trailing. Throws StoreError on an unterminated literal.
// The texts, leads and trailing share sql's characters instead of copying
// them: sql must stay alive and unchanged while they are in use.
Tokens tokenize(const QString &sql, QString &trailing);
QString join(const Tokens &tokens, const QString &trailing);

// Where each '(' of a statement closes, found in one pass, so that a walk
// along one bracket depth steps over a whole group at once: scans of nested
// clauses then touch each token a bounded number of times.
class Brackets
{
public:
    explicit Brackets(const Tokens &tokens);

    // The index of the ')' matching the '(' at open, or the end.
    qsizetype closing(qsizetype open) const;
    // The first index from `from` at the same bracket depth for which stop()
    // holds, or where that depth closes, or the end.
    qsizetype scan(qsizetype from, const std::function<bool(const Token &)> &stop) const;
    // Splits [from, to) at the commas of its own depth. The range holds no ')'
    // of an enclosing group (it ends where scan() or closing() stopped).
    QVector<QPair<qsizetype, qsizetype>> splitAtCommas(qsizetype from, qsizetype to) const;

private:
    const Tokens &m_tokens;
    QVector<qsizetype> m_closing; // for each '(' the index of its ')'
};

Tokens slice(const Tokens &tokens, qsizetype from, qsizetype to);

} // namespace SqlTokens
