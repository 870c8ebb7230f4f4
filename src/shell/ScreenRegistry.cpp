#include "ScreenRegistry.h"

#include "SectionScreen.h"

SectionScreen *ScreenRegistry::Entry::create(QWidget *parent) const
{
    SectionScreen *screen = make(parent);
    screen->setNeighbours(previous, next);
    return screen;
}

ScreenRegistry &ScreenRegistry::instance()
{
    static ScreenRegistry registry;
    return registry;
}

void ScreenRegistry::add(const QString &name, Factory make)
{
    m_entries.insert(name, Entry{std::move(make), QString(), QString()});
}

void ScreenRegistry::addChain(const QStringList &names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        Q_ASSERT(m_entries.contains(names[i]));
        Entry &entry = m_entries[names[i]];
        entry.previous = i > 0 ? names[i - 1] : QString();
        entry.next = i + 1 < names.size() ? names[i + 1] : QString();
    }
}

const ScreenRegistry::Entry *ScreenRegistry::entry(const QString &name) const
{
    auto it = m_entries.constFind(name);
    return it == m_entries.constEnd() ? nullptr : &it.value();
}
