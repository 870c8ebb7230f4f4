#include "Settings.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace {

// Organisation only, native format, user scope: on Linux ~/.config/VantorEmis.conf.
QSettings store()
{
    return QSettings(QStringLiteral("VantorEmis"));
}

const QString &databaseKey()
{
    static const QString key = QStringLiteral("Startup/Database");
    return key;
}

} // namespace

namespace Settings {

QString databasePath()
{
    const QVariant value = store().value(databaseKey());
    // A path with a comma, written without quotes, reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool hasDatabasePath()
{
    return !databasePath().isEmpty();
}

void setDatabasePath(const QString &path)
{
    QSettings settings(QStringLiteral("VantorEmis"));
    settings.setValue(databaseKey(), path);
    settings.sync();
}

QString fileName()
{
    return store().fileName();
}

} // namespace Settings
