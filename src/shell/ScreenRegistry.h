#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class SectionScreen;

// The section screens the program knows, by name, and the chains Next Page
// and Previous Page walk. A screen is added once and a chain is declared
// once, first to last; every screen's neighbours are derived from its chain.
// The main menu enables the buttons of the screens that exist.
class ScreenRegistry
{
public:
    using Factory = std::function<SectionScreen *(QWidget *parent)>;

    struct Entry
    {
        Factory make;
        QString previous;   // empty: no previous screen
        QString next;       // empty: no next screen

        // The screen, showing Previous Page and Next Page where it has a neighbour.
        SectionScreen *create(QWidget *parent) const;
    };

    static ScreenRegistry &instance();

    void add(const QString &name, Factory make);
    // Screens that follow one another by Next Page, each added before.
    void addChain(const QStringList &names);
    bool contains(const QString &name) const { return m_entries.contains(name); }
    const Entry *entry(const QString &name) const;
    QStringList names() const { return m_entries.keys(); }

private:
    QMap<QString, Entry> m_entries;
};
