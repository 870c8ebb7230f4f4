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

// A typed or pasted text as the cell takes it: NUL characters removed (the
// store would end the text there), then held to editLimit.
QString accepted(const QString &typed, int cellLimit, const QString &before);

} // namespace TextLimit
} // namespace grid
