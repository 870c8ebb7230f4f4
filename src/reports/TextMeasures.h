#pragma once

#include <QFont>
#include <QHash>
#include <QString>

// Remembers what laying a text out at a size and width gave (the font it is
// drawn in, its wrap and its height), so a text that recurs is shaped once.
// Holds a bounded number of texts: when full it starts again, so a report of
// any length takes the same memory. The fonts are of one family: a size and
// a weight tell them apart.
class TextMeasures
{
public:
    struct Measure
    {
        QFont font;
        int flags = 0;
        double height = 0;
    };
    // What a text is measured as: free text keeps its font, a table cell may shrink it.
    enum class Kind { Text, Cell };

    // The measure of text in font at width, from measure() the first time.
    template <typename Measurer>
    Measure get(Kind kind, const QFont &font, const QString &text, double width, Measurer &&measure)
    {
        const Key key{text, font.pointSizeF(), width, font.bold(), kind};
        const auto found = m_known.constFind(key);
        if (found != m_known.constEnd())
            return *found;
        if (m_known.size() >= Capacity)
            m_known.clear();
        return *m_known.insert(key, measure());
    }

private:
    static constexpr qsizetype Capacity = 20000;

    struct Key
    {
        QString text;
        double pointSize;
        double width;
        bool bold;
        Kind kind;
        bool operator==(const Key &) const = default;
    };
    friend size_t qHash(const Key &key, size_t seed = 0)
    {
        return qHashMulti(seed, key.text, key.pointSize, key.width, key.bold, int(key.kind));
    }

    QHash<Key, Measure> m_known;
};
