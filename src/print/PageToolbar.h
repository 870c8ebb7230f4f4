#pragma once

#include <QKeySequence>
#include <QString>
#include <QToolBar>
#include <QVector>
#include <functional>

class QLabel;

// The toolbar of every window that shows pages as they will print: First,
// Previous, "Page i of n", Next and Last (Ctrl+Home, Page Up, Page Down,
// Ctrl+End), the four zooms, then the window's own actions (printing,
// saving, closing) in groups. Turning past either end shows the page at that
// end, so the keys can be held down.
class PageToolbar : public QToolBar
{
    Q_OBJECT
public:
    // The view under the toolbar: its pages (1-based) and its zoom.
    struct Pages
    {
        std::function<int()> count;
        std::function<int()> current;
        std::function<void(int)> show;
        std::function<void()> zoomIn;
        std::function<void()> zoomOut;
        std::function<void()> fitWidth;
        std::function<void()> fitPage;

        // Any view that turns and zooms the way Qt's print preview does.
        template<class View>
        static Pages of(View *view)
        {
            return {[view] { return view->pageCount(); },  [view] { return view->currentPage(); },
                    [view](int page) { view->setCurrentPage(page); },
                    [view] { view->zoomIn(); },            [view] { view->zoomOut(); },
                    [view] { view->fitToWidth(); },        [view] { view->fitInView(); }};
        }
    };

    struct Action
    {
        QString name;   // the action's object name
        QString text;
        QKeySequence key;
        std::function<void()> act;
    };

    // Lays the window out as this toolbar over view, which takes the rest of
    // the window and follows its size. actions: groups of the window's own
    // actions, a separator before each group.
    PageToolbar(QWidget *window, QWidget *view, Pages pages, const QVector<QVector<Action>> &actions);

    void goToPage(int page);
    // "Page i of n", or nothing while there are no pages.
    void showPageNumber();

private:
    void addTool(const Action &action);

    Pages m_pages;
    QLabel *m_pageLabel = nullptr;
};
