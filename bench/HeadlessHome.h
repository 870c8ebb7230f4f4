#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

// A measurement's surroundings, made before its QApplication: no window
// system (unless one is asked for), and a scratch folder as the settings
// home, so the user's own settings are never read or changed.
class HeadlessHome
{
public:
    HeadlessHome()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
    }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
