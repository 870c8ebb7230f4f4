#pragma once

#include <QString>
#include <QStringList>

// A fixed pseudo-random sequence, so every demo school of the same size is the
// same school and a test can rely on what it finds there.
class DemoSequence
{
public:
    explicit DemoSequence(quint32 seed) : m_state(seed) {}
    int next(int bound)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return int((m_state >> 8) % quint32(bound));
    }
    bool chance(int percent) { return next(100) < percent; }
    const QString &pick(const QStringList &list) { return list.at(next(int(list.size()))); }

private:
    quint32 m_state;
};

// A text as a quoted literal of a native statement.
inline QString demoQuoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}
