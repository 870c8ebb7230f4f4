#pragma once

#include <QString>

namespace grid {

// Text limits as the store counts them: whole characters (a character outside
// the basic plane is one character, never half of one), with a line break
// stored as the two characters CR LF.
namespace TextLimit {

// Characters the text takes once stored.
int storedLength(const QString &stored);

// The longest beginning of stored that takes at most limit characters, never
// ending inside a character. limit <= 0 means no limit.
QString cut(const QString &stored, int limit);

// The limit an edit of the cell is held to: the cell's own, or the length of
// a longer text it was loaded with (an edit may shorten a loaded text that is
// over the limit, never lengthen it, and never cut it just for being edited).
int editLimit(int cellLimit, const QString &before);

// What an edit leaves when the text must stay within limit: NUL characters
// removed, and of what the edit put in (typed or pasted, found as the part
// where after differs from before) as much as fits, in whole characters; the
// text around it stays as it was, so nothing the user did not touch is lost.
// cursor is where the kept insertion ends; -1 when the edit fits as it is.
struct HeldEdit
{
    QString text;
    qsizetype cursor = 0;
};
HeldEdit holdEdit(const QString &before, const QString &after, int limit);

// A typed or pasted text as the cell takes it: NUL characters removed (the
// store would end the text there), then held to editLimit.
QString accepted(const QString &typed, int cellLimit, const QString &before);

} // namespace TextLimit
} // namespace grid
