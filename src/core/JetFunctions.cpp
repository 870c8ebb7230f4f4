// The host engine's functions that SQLite lacks or spells differently, and the
// case-insensitive text comparison the host applies to every text column.

#include "SqlDialect.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sqlite3.h>

namespace {

// The host engine's own messages; Connection maps them back to its numbers.
const char *const InvalidArgument = "Invalid procedure call or argument";
const char *const InvalidUseOfNull = "Invalid use of Null";
const char *const TypeMismatch = "Type mismatch";
const char *const Overflow = "Overflow";

bool isNull(sqlite3_value *value)
{
    return sqlite3_value_type(value) == SQLITE_NULL;
}

QString textOf(sqlite3_value *value)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return QString::fromUtf8(text, sqlite3_value_bytes(value));
}

void resultText(sqlite3_context *context, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// Rounds to the nearest whole number, halves to the even neighbour, as the
// host's conversions do (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2).
double roundHalfEven(double x)
{
    const double floorValue = std::floor(x);
    const double fraction = x - floorValue;
    if (fraction > 0.5)
        return floorValue + 1.0;
    if (fraction < 0.5)
        return floorValue;
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

// A value as a number the way the host converts one: numbers as they are,
// numeric text parsed, anything else is no number.
std::optional<double> numberOf(sqlite3_value *value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return double(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_TEXT: {
        bool ok = false;
        const double number = textOf(value).trimmed().toDouble(&ok);
        if (ok && std::isfinite(number))
            return number;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// A whole-number argument (a position or a length). Reports the host's error
// and returns nothing when the argument cannot be one.
std::optional<qint64> countArgument(sqlite3_context *context, sqlite3_value *value)
{
    if (isNull(value)) {
        sqlite3_result_error(context, InvalidUseOfNull, -1);
        return std::nullopt;
    }
    const std::optional<double> number = numberOf(value);
    if (!number) {
        sqlite3_result_error(context, TypeMismatch, -1);
        return std::nullopt;
    }
    const double rounded = roundHalfEven(*number);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        sqlite3_result_error(context, Overflow, -1);
        return std::nullopt;
    }
    return qint64(rounded);
}

// a & b & ...: NULL only when every operand is NULL; otherwise NULL reads as ''.
void jetConcat(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    QByteArray joined;
    bool anyValue = false;
    for (int i = 0; i < argc; ++i) {
        if (isNull(argv[i]))
            continue;
        anyValue = true;
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[i]));
        joined.append(text, sqlite3_value_bytes(argv[i]));
    }
    if (!anyValue) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_text(context, joined.constData(), int(joined.size()), SQLITE_TRANSIENT);
}

void jetIsNull(sqlite3_context *context, int, sqlite3_value **argv)
{
    sqlite3_result_int(context, isNull(argv[0]) ? -1 : 0);
}

void jetLen(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int64(context, textOf(argv[0]).size());
}

void jetMid(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    const std::optional<qint64> start = countArgument(context, argv[1]);
    if (!start)
        return;
    std::optional<qint64> length;
    if (argc == 3) {
        length = countArgument(context, argv[2]);
        if (!length)
            return;
    }
    if (*start < 1 || (length && *length < 0)) {
        sqlite3_result_error(context, InvalidArgument, -1);
        return;
    }
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    const QString text = textOf(argv[0]);
    if (*start > text.size()) {
        resultText(context, QString(QLatin1String("")));
        return;
    }
    const qsizetype from = qsizetype(*start - 1);
    const qsizetype available = text.size() - from;
    const qsizetype take = length ? qsizetype(std::min<qint64>(*length, available)) : available;
    resultText(context, text.mid(from, take));
}

void jetLeft(sqlite3_context *context, int, sqlite3_value **argv)
{
    const std::optional<qint64> count = countArgument(context, argv[1]);
    if (!count)
        return;
    if (*count < 0) {
        sqlite3_result_error(context, InvalidArgument, -1);
        return;
    }
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    const QString text = textOf(argv[0]);
    resultText(context, text.left(qsizetype(std::min<qint64>(*count, text.size()))));
}

// CInt: a 16-bit whole number, halves rounded to even.
void jetCInt(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    const std::optional<double> number = numberOf(argv[0]);
    if (!number) {
        sqlite3_result_error(context, TypeMismatch, -1);
        return;
    }
    const double rounded = roundHalfEven(*number);
    if (rounded < -32768.0 || rounded > 32767.0) {
        sqlite3_result_error(context, Overflow, -1);
        return;
    }
    sqlite3_result_int(context, int(rounded));
}

// The write lock BEGIN IMMEDIATE takes on the whole file already keeps two
// programs' saves of one learner apart.
void lockLearnerYear(sqlite3_context *context, int, sqlite3_value **)
{
    sqlite3_result_int(context, 1);
}

// A counter column (AUTOINCREMENT) continues after the highest value written
// into it on its own.
void continueCounter(sqlite3_context *context, int, sqlite3_value **)
{
    sqlite3_result_int(context, 1);
}

// Replaces SQLite's ASCII-only NOCASE, so 'é' matches 'É' as it does on the host.
int compareNoCase(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    // Sorting a district's learners by name compares a hundred thousand
    // pairs: plain ASCII letters are compared as they stand, and only a pair
    // that reaches a letter beyond ASCII is decoded and folded whole.
    const auto *x = static_cast<const unsigned char *>(a);
    const auto *y = static_cast<const unsigned char *>(b);
    const auto fold = [](unsigned char ch) { return ch >= 'A' && ch <= 'Z' ? ch + ('a' - 'A') : int(ch); };
    const int common = std::min(lengthA, lengthB);
    int i = 0;
    for (; i < common && x[i] < 0x80 && y[i] < 0x80; ++i) {
        if (fold(x[i]) != fold(y[i]))
            return fold(x[i]) - fold(y[i]);
    }
    if (i == common)
        return lengthA - lengthB;
    const QString left = QString::fromUtf8(static_cast<const char *>(a), lengthA);
    const QString right = QString::fromUtf8(static_cast<const char *>(b), lengthB);
    return QString::compare(left, right, Qt::CaseInsensitive);
}

void addFunction(sqlite3 *db, const char *name, int argc,
                 void (*function)(sqlite3_context *, int, sqlite3_value **))
{
    sqlite3_create_function_v2(db, name, argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               function, nullptr, nullptr, nullptr);
}

} // namespace

void SqlDialect::registerFunctions(sqlite3 *db)
{
    addFunction(db, "jet_concat", -1, jetConcat);
    addFunction(db, "jet_isnull", 1, jetIsNull);
    addFunction(db, "jet_left", 2, jetLeft);
    addFunction(db, "Len", 1, jetLen);
    addFunction(db, "Mid", 2, jetMid);
    addFunction(db, "Mid", 3, jetMid);
    addFunction(db, "CInt", 1, jetCInt);
    addFunction(db, "sna_lock_learner_year", 2, lockLearnerYear);
    addFunction(db, "sna_continue_counter", 1, continueCounter);
    sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, compareNoCase, nullptr);
}
