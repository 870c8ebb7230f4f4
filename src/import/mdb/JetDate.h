#pragma once

#include <QString>

// Access keeps a date and time as a double: whole days since 1899-12-30, and
// the time of day as the fraction. Before 1899-12-30 the whole part is
// negative but the fraction still counts forward from midnight (-1.25 is
// 1899-12-29 06:00, not 18:00), so the fraction's sign is ignored.
namespace JetDate {

// The store's form of the value: "yyyy-MM-dd" at midnight, otherwise
// "yyyy-MM-dd HH:mm:ss" (with ".zzz" only when there are milliseconds); a
// time alone is a time on 1899-12-30, as the host engine keeps it. Empty when
// the value is outside the range Access itself accepts (years 100 to 9999)
// or not a number.
QString toStoreText(double value);

} // namespace JetDate
