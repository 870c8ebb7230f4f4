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

// Cuts a statement into tokens; what follows the last token (blanks, a
// semicolon) is kept in trailing. Throws StoreError on an unterminated literal.
Tokens tokenize(const QString &sql, QString &trailing);
QString join(const Tokens &tokens, const QString &trailing);

// The index of the ')' matching the '(' at open, or the end.
qsizetype matching(const Tokens &tokens, qsizetype open);
// The first index from `from` at the same bracket depth for which stop() holds,
// or where that depth closes, or the end.
qsizetype scan(const Tokens &tokens, qsizetype from, const std::function<bool(const Token &)> &stop);
// Splits [from, to) at the commas of its own depth.
QVector<QPair<qsizetype, qsizetype>> splitAtCommas(const Tokens &tokens, qsizetype from, qsizetype to);
Tokens slice(const Tokens &tokens, qsizetype from, qsizetype to);

} // namespace SqlTokens
