#include "StoreLocation.h"

#include <QFileInfo>

bool StoreLocation::isServer(const QString &location)
{
    return location.startsWith(QLatin1String("postgresql://")) || location.startsWith(QLatin1String("postgres://"));
}

QString StoreLocation::absolute(const QString &location)
{
    return isServer(location) ? location : QFileInfo(location).absoluteFilePath();
}
