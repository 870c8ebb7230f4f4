#pragma once

#include "ScreenRegistry.h"

#include <QString>
#include <QStringList>
#include <QVector>

class SectionScreen;
class QWidget;

// Screens that the program describes as one family with numbered members (the
// criteria screens, the Section 3a rating screens) are one class driven by a
// table of members. A member has at least a name (its object name and error
// report location); the members follow one another in their table's order.
namespace ScreenFamily {

// The member called name; the first member when there is none of that name.
template <class Member>
const Member &memberNamed(const QVector<Member> &members, const QString &name)
{
    for (const Member &m : members)
        if (m.name == name)
            return m;
    return members.first();
}

template <class Member>
const Member *find(const QVector<Member> &members, const QString &name)
{
    for (const Member &m : members)
        if (m.name == name)
            return &m;
    return nullptr;
}

// The members' names, first to last: their chain.
template <class Member>
QStringList names(const QVector<Member> &members)
{
    QStringList names;
    for (const Member &m : members)
        names << m.name;
    return names;
}

// Registers every member as a screen of class Screen (constructed from the
// member's name and a parent).
template <class Screen, class Member>
void registerMembers(ScreenRegistry &registry, const QVector<Member> &members)
{
    for (const Member &m : members) {
        const QString name = m.name;
        registry.add(name, [name](QWidget *parent) -> SectionScreen * { return new Screen(name, parent); });
    }
}

} // namespace ScreenFamily
