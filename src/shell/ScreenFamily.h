#pragma once

#include "ScreenRegistry.h"

#include <QString>
#include <QVector>

class SectionScreen;
class QWidget;

// Screens that the program describes as one family with numbered members (the
// criteria screens, the Section 3a rating screens) are one class driven by a
// table of members. A member has at least a name (its object name and error
// report location) and the names of its neighbours in the chain.
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

// Registers every member as a screen of class Screen (constructed from the
// member's name and a parent) with its neighbours.
template <class Screen, class Member>
void registerMembers(ScreenRegistry &registry, const QVector<Member> &members)
{
    for (const Member &m : members) {
        const QString name = m.name;
        registry.add(name, [name](QWidget *parent) -> SectionScreen * { return new Screen(name, parent); },
                     m.previous, m.next);
    }
}

} // namespace ScreenFamily
