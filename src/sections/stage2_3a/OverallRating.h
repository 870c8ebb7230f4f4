#pragma once

#include <QMap>
#include <QString>

// The overall rating of each support area: the mean of the levels stored for
// it, rounded to the nearest whole number with halves going to the even
// neighbour (2.5 gives 2, 3.5 gives 4). Only "Level 1" to "Level 5" count; an
// "N/A", an empty cell or any other text is no level.
class OverallRating
{
public:
    void addLevel(int area, const QString &level);

    // Areas with at least one level, and their rating (1 to 5).
    QMap<int, int> ratings() const;

    // The number of a level text, 1 to 5; 0 for anything else.
    static int levelNumber(const QString &level);
    static int roundedMean(int sum, int count);

private:
    struct Tally { int sum = 0; int count = 0; };
    QMap<int, Tally> m_areas;
};
