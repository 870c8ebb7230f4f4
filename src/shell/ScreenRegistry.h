#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class SectionScreen;

// The section screens the program knows, by name, with their neighbours in
// their section's chain. A later stage adds its screens here; the main menu
// enables the buttons of the screens that exist.
class ScreenRegistry
{
public:
    using Factory = std::function<SectionScreen *(QWidget *parent)>;

    struct Entry
    {
        Factory create;
        QString previous;   // empty: no previous screen
        QString next;       // empty: no next screen
    };

    static ScreenRegistry &instance();

    void add(const QString &name, Factory create, const QString &previous = QString(),
             const QString &next = QString());
    bool contains(const QString &name) const { return m_entries.contains(name); }
    const Entry *entry(const QString &name) const;
    QStringList names() const { return m_entries.keys(); }

private:
    QMap<QString, Entry> m_entries;
};
