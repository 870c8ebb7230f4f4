#pragma once

#include <QMap>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>
#include <QRect>
#include <optional>

class QWidget;
class SectionScreen;

// Walks a section's chain from one place: it opens a screen modally, and when
// that screen closes by Next Page or Previous Page it opens the neighbour, so
// modal screens never nest. A screen that is kept while the chain continues
// (the health report) is hidden rather than closed and shown again, with its
// unsaved edits, when the chain comes back to it.
class SectionNavigator
{
public:
    explicit SectionNavigator(QWidget *parent);
    ~SectionNavigator();

    // Runs the chain starting at screen `name` until the user returns to the
    // main menu. firstPage: the tab page (0-based) the first screen opens at,
    // for a screen with tabs; -1 leaves the screen's own choice.
    void run(const QString &name, int firstPage = -1);

    // Called with every screen just before it is shown (tests drive the
    // screens from here; the program needs nothing).
    using ShowHook = std::function<void(SectionScreen *)>;
    static void setShowHook(ShowHook hook);

private:
    SectionScreen *screenFor(const QString &name, bool &reused);

    QWidget *m_parent;
    QMap<QString, QPointer<SectionScreen>> m_kept;
    std::optional<QRect> m_place;   // where the last screen of the chain stood, and its size
};
