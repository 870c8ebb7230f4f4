#include "SectionNavigator.h"

#include "ScreenRegistry.h"
#include "SectionScreen.h"

#include <utility>

namespace {
SectionNavigator::ShowHook &showHook()
{
    static SectionNavigator::ShowHook hook;
    return hook;
}
}

SectionNavigator::SectionNavigator(QWidget *parent)
    : m_parent(parent)
{
}

SectionNavigator::~SectionNavigator()
{
    for (const QPointer<SectionScreen> &screen : std::as_const(m_kept))
        delete screen.data();
}

void SectionNavigator::setShowHook(ShowHook hook)
{
    showHook() = std::move(hook);
}

SectionScreen *SectionNavigator::screenFor(const QString &name, bool &reused)
{
    reused = false;
    if (SectionScreen *kept = m_kept.take(name)) {
        reused = true;
        return kept;
    }
    const ScreenRegistry::Entry *entry = ScreenRegistry::instance().entry(name);
    if (!entry)
        return nullptr;
    SectionScreen *screen = entry->create(m_parent);
    screen->loadScreen();
    return screen;
}

void SectionNavigator::run(const QString &name, int firstPage)
{
    QString current = name;
    int page = firstPage;
    while (!current.isEmpty()) {
        bool reused = false;
        SectionScreen *screen = screenFor(current, reused);
        if (!screen)
            return;
        if (reused)
            screen->reactivate();
        if (page >= 0)
            screen->setCurrentPage(std::exchange(page, -1));
        // The chain turns its pages in one place: each screen opens where the
        // last one was and at its size, also the one kept while the chain went on.
        if (m_place)
            screen->followOn(*m_place);
        if (showHook())
            showHook()(screen);
        screen->exec();
        m_place = QRect(screen->pos(), screen->size());

        const ScreenRegistry::Entry *entry = ScreenRegistry::instance().entry(current);
        QString following;
        if (screen->target() == SectionScreen::Target::Next && entry)
            following = entry->next;
        else if (screen->target() == SectionScreen::Target::Previous && entry)
            following = entry->previous;

        if (screen->target() == SectionScreen::Target::Next && screen->keptWhileChainContinues())
            m_kept.insert(current, screen);
        else
            delete screen;
        current = following;
    }
    // Back at the main menu: nothing of this chain stays loaded, so the next
    // opening loads afresh.
    for (const QPointer<SectionScreen> &screen : std::as_const(m_kept))
        delete screen.data();
    m_kept.clear();
}
