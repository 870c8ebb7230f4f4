#include "PageToolbar.h"

#include <QAction>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

PageToolbar::PageToolbar(QWidget *window, QWidget *view, Pages pages, const QVector<QVector<Action>> &actions)
    : QToolBar(window)
    , m_pages(std::move(pages))
{
    addTool({QStringLiteral("actFirst"), QStringLiteral("|< First"), QKeySequence(Qt::CTRL | Qt::Key_Home),
               [this] { goToPage(1); }});
    addTool({QStringLiteral("actPrevious"), QStringLiteral("< Previous"), QKeySequence(Qt::Key_PageUp),
               [this] { goToPage(m_pages.current() - 1); }});
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("lblPage"));
    m_pageLabel->setMinimumWidth(90);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    addWidget(m_pageLabel);
    addTool({QStringLiteral("actNext"), QStringLiteral("Next >"), QKeySequence(Qt::Key_PageDown),
               [this] { goToPage(m_pages.current() + 1); }});
    addTool({QStringLiteral("actLast"), QStringLiteral("Last >|"), QKeySequence(Qt::CTRL | Qt::Key_End),
               [this] { goToPage(m_pages.count()); }});
    addSeparator();
    addTool({QStringLiteral("actZoomIn"), QStringLiteral("Zoom In"), QKeySequence::ZoomIn, m_pages.zoomIn});
    addTool({QStringLiteral("actZoomOut"), QStringLiteral("Zoom Out"), QKeySequence::ZoomOut, m_pages.zoomOut});
    addTool({QStringLiteral("actFitWidth"), QStringLiteral("Fit Width"), QKeySequence(Qt::CTRL | Qt::Key_1),
               m_pages.fitWidth});
    addTool({QStringLiteral("actFitPage"), QStringLiteral("Whole Page"), QKeySequence(Qt::CTRL | Qt::Key_2),
               m_pages.fitPage});
    for (const QVector<Action> &group : actions) {
        addSeparator();
        for (const Action &action : group)
            addTool(action);
    }

    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(this);
    layout->addWidget(view, 1);
}

void PageToolbar::addTool(const Action &action)
{
    QAction *added = QToolBar::addAction(action.text, this, action.act);
    added->setObjectName(action.name);
    added->setShortcut(action.key);
}

void PageToolbar::goToPage(int page)
{
    if (m_pages.count() > 0)
        m_pages.show(std::clamp(page, 1, m_pages.count()));
    showPageNumber();
}

void PageToolbar::showPageNumber()
{
    const int count = m_pages.count();
    m_pageLabel->setText(count > 0 ? QStringLiteral("Page %1 of %2").arg(m_pages.current()).arg(count) : QString());
}
