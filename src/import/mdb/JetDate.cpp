#include "JetDate.h"

#include <QDate>
#include <cmath>

namespace JetDate {

namespace {
// 1899-12-30, day 0 of the host's calendar, as a Julian day.
constexpr qint64 DayZero = 2415019;
// 0100-01-01 and 9999-12-31, the first and last days Access takes.
constexpr double FirstDay = -657434.0;
constexpr double LastDay = 2958465.0;
constexpr qint64 MsPerDay = 86400000;
} // namespace

QString toStoreText(double value)
{
    if (!std::isfinite(value) || value <= FirstDay - 1.0 || value >= LastDay + 1.0)
        return QString();
    const double whole = std::trunc(value);
    qint64 days = qint64(whole);
    qint64 ms = std::llround(std::fabs(value - whole) * double(MsPerDay));
    if (ms >= MsPerDay) {
        // Rounding reached midnight of the following day.
        ms -= MsPerDay;
        ++days;
    }
    const QDate date = QDate::fromJulianDay(DayZero + days);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return QString();

    QString text = QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day());
    if (ms == 0)
        return text;
    const int seconds = int(ms / 1000);
    text += QString::asprintf(" %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    if (const int rest = int(ms % 1000); rest != 0)
        text += QString::asprintf(".%03d", rest);
    return text;
}

} // namespace JetDate
