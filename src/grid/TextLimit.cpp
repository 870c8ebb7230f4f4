#include "TextLimit.h"

namespace grid::TextLimit {

namespace {

// The characters the unit at i adds once stored: 0 for the second half of a
// pair, 2 for a line break the editor holds as a bare LF (stored as CR LF).
int costAt(const QString &text, qsizetype i)
{
    const QChar ch = text.at(i);
    const QChar before = i > 0 ? text.at(i - 1) : QChar();
    if (ch.isLowSurrogate() && before.isHighSurrogate())
        return 0;
    if (ch == QLatin1Char('\n') && before != QLatin1Char('\r'))
        return 2;
    return 1;
}

} // namespace

int storedLength(const QString &stored)
{
    int length = 0;
    for (qsizetype i = 0; i < stored.size(); ++i)
        length += costAt(stored, i);
    return length;
}

QString cut(const QString &stored, int limit)
{
    if (limit <= 0)
        return stored;
    int length = 0;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        length += costAt(stored, i);
        if (length > limit) {
            // A CR LF pair goes whole, like a character.
            qsizetype end = i;
            if (stored.at(i) == QLatin1Char('\n') && end > 0 && stored.at(end - 1) == QLatin1Char('\r'))
                --end;
            return stored.left(end);
        }
    }
    return stored;
}

int editLimit(int cellLimit, const QString &before)
{
    if (cellLimit <= 0)
        return 0;
    return qMax(cellLimit, storedLength(before));
}

QString accepted(const QString &typed, int cellLimit, const QString &before)
{
    QString text = typed;
    text.remove(QChar(u'\0'));
    return cut(text, editLimit(cellLimit, before));
}

} // namespace grid::TextLimit
