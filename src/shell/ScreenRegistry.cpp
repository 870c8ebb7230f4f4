#include "ScreenRegistry.h"

ScreenRegistry &ScreenRegistry::instance()
{
    static ScreenRegistry registry;
    return registry;
}

void ScreenRegistry::add(const QString &name, Factory create, const QString &previous, const QString &next)
{
    m_entries.insert(name, Entry{std::move(create), previous, next});
}

const ScreenRegistry::Entry *ScreenRegistry::entry(const QString &name) const
{
    auto it = m_entries.constFind(name);
    return it == m_entries.constEnd() ? nullptr : &it.value();
}
