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

HeldEdit holdEdit(const QString &before, const QString &after, int limit)
{
    QString text = after;
    text.remove(QChar(u'\0'));
    if (limit <= 0 || storedLength(text) <= limit)
        return {text, -1};

    // The edit is the part between what before and after share at either end,
    // its ends moved off the middle of a surrogate pair or a CR LF in either.
    const qsizetype shortest = qMin(before.size(), text.size());
    qsizetype prefix = 0;
    while (prefix < shortest && before.at(prefix) == text.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shortest - prefix && before.at(before.size() - 1 - suffix) == text.at(text.size() - 1 - suffix))
        ++suffix;
    const auto splits = [](const QString &s, qsizetype i) {
        return i > 0 && i < s.size()
            && ((s.at(i).isLowSurrogate() && s.at(i - 1).isHighSurrogate())
                || (s.at(i) == QLatin1Char('\n') && s.at(i - 1) == QLatin1Char('\r')));
    };
    if (prefix > 0 && (splits(text, prefix) || splits(before, prefix)))
        --prefix;
    if (suffix > 0 && (splits(text, text.size() - suffix) || splits(before, before.size() - suffix)))
        --suffix;

    const QString head = text.left(prefix);
    const QString tail = text.right(suffix);
    const int room = limit - storedLength(head) - storedLength(tail);
    if (room < 0) {
        const QString cutText = cut(text, limit);
        return {cutText, cutText.size()};
    }
    // cut() reads a limit of 0 as none.
    const QString inserted = room == 0 ? QString() : cut(text.mid(prefix, text.size() - prefix - suffix), room);
    return {head + inserted + tail, prefix + inserted.size()};
}

} // namespace grid::TextLimit
