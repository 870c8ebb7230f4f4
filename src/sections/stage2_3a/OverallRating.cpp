#include "OverallRating.h"

#include <QRegularExpression>

int OverallRating::levelNumber(const QString &level)
{
    static const QRegularExpression levelText(QStringLiteral("^Level ([1-5])$"));
    const QRegularExpressionMatch match = levelText.match(level.trimmed());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// Whole numbers throughout, so a half is recognised exactly.
int OverallRating::roundedMean(int sum, int count)
{
    if (count <= 0)
        return 0;
    const int whole = sum / count;
    const int twiceRest = 2 * (sum % count);
    if (twiceRest > count || (twiceRest == count && whole % 2 == 1))
        return whole + 1;
    return whole;
}

void OverallRating::addLevel(int area, const QString &level)
{
    const int number = levelNumber(level);
    if (number == 0)
        return;
    Tally &tally = m_areas[area];
    tally.sum += number;
    ++tally.count;
}

QMap<int, int> OverallRating::ratings() const
{
    QMap<int, int> result;
    for (auto it = m_areas.constBegin(); it != m_areas.constEnd(); ++it)
        result.insert(it.key(), roundedMean(it.value().sum, it.value().count));
    return result;
}
