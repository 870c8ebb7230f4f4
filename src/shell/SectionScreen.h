#pragma once

#include "StoreScreen.h"

#include <QPageLayout>
#include <QString>
#include <QVector>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;
class PagePrinter;
namespace grid { class SpreadGrid; }

// What every section screen shares: the caption, the learner line, the year
// box, the Save button whose colour is the change flag, leaving by Main Menu,
// Next Page and Previous Page through the unsaved-data question, and Print
// Page. A screen adds its grids to body(), declares its get routines in
// loadRoutines(), its save routines in saveRoutines() and its page in
// printPage(). StoreScreen runs the routines and keeps the save rules.
class SectionScreen : public StoreScreen
{
    Q_OBJECT
public:
    // Where the user asked to go when the screen closed.
    enum class Target { MainMenu, Next, Previous };

    SectionScreen(const QString &screenName, const QString &caption, QWidget *parent = nullptr);

    QString screenName() const { return objectName(); }
    Target target() const { return m_target; }

    // Fills the header and runs the screen's get routines. Called once per
    // opening, before the screen is shown. False when the load did not
    // complete; the failure has been reported and the screen cannot save.
    bool loadScreen();
    // Called each time the screen is shown again after having been hidden (a
    // screen kept while the screens after it in its chain were open).
    virtual void reactivate() {}
    // Whether Next Page hides this screen instead of closing it, so its
    // unsaved edits survive until the user comes back.
    virtual bool keptWhileChainContinues() const { return false; }

    // The buttons, for the navigator and for tests.
    QPushButton *printButton() const { return m_print; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *menuButton() const { return m_menu; }
    QLabel *learnerLabel() const { return m_learner; }
    QLineEdit *yearBox() const { return m_year; }
    // Previous Page and Next Page show where the screen's chain has a
    // neighbour (empty: none); the registry sets them from the chain.
    void setNeighbours(const QString &previous, const QString &next);

    // Tab pages of a screen whose grids sit on tabs. The showing page's index
    // (0-based) is what the screen prints and what tests and the command line
    // choose; -1 and 0 pages on a screen without tabs.
    int currentPage() const;
    void setCurrentPage(int index);
    int pageCount() const;
    QTabWidget *pages() const { return m_pages; }

    // Print Page: the preview of the screen's page, from which it is printed
    // or saved; with a printer chooser installed (tests, the command line),
    // the chosen printer at once. False when the print failed or was
    // cancelled (the failure has been reported).
    bool printPageNow();
    // The showing page drawn onto a printer that may be shared with other
    // pages (a learner's whole file), in the screen's own orientation.
    void printInto(PagePrinter &printer);
    QPageLayout::Orientation pageOrientation() const { return printOrientation(); }

    // Leave by Main Menu, Next Page or Previous Page after the unsaved-data
    // question; false when the user chose to stay.
    bool leave(Target target);

    // Opens at a size that shows the whole page where the screen allows, in
    // the middle of the screen the user works on, unless it follows on from
    // another screen of its chain; the Tab order runs through the page, then
    // the buttons.
    void setVisible(bool visible) override;
    // Takes the place and size of the screen before it in its chain.
    void followOn(const QRect &place);

public Q_SLOTS:
    // Escape and the window's own close control ask the same question as Main Menu.
    void reject() override;

protected:

    // The screen's page: grids fitted to their cells, top to bottom, in a
    // scrolling area. addGrid also watches the grid for changes.
    void addGrid(grid::SpreadGrid *grid);
    void addToBody(QWidget *widget, int stretch = 0);
    // A new tab page captioned `title`; the tab control itself is placed in the
    // body where the first page is added. Grids and widgets go onto a page with
    // the overloads below.
    QWidget *addPage(const QString &title);
    void addGrid(grid::SpreadGrid *grid, QWidget *page);
    void addToPage(QWidget *page, QWidget *widget, int stretch = 0);
    void setPrintButtonName(const QString &objectName);
    // Any change the user makes in the grid marks the screen as changed.
    void watchGrid(grid::SpreadGrid *grid);
    QVBoxLayout *body() const { return m_body; }

    // Builds the grids (fixed texts, types, spans) before anything is read.
    virtual void prepareGrids() {}
    virtual QVector<StoreRoutine> loadRoutines() = 0;
    // After the get routines ran (also when one failed): layouts, derived cells.
    virtual void afterLoad() {}
    virtual void printPage(PagePrinter &printer) = 0;
    virtual QPageLayout::Orientation printOrientation() const { return QPageLayout::Portrait; }
    // The cell the cursor goes to once the screen is loaded.
    virtual void placeCursor() {}

    // An open cell editor hands its text to its cell, so the change flag, the
    // save and the page see what was typed.
    void commitEditors() override;

private:
    void orderTabs();

    QPushButton *m_print;
    QPushButton *m_previous;
    QPushButton *m_next;
    QPushButton *m_menu;
    QLabel *m_learner;
    QLineEdit *m_year;
    QVBoxLayout *m_body;
    QScrollArea *m_page;
    QTabWidget *m_pages = nullptr;
    Target m_target = Target::MainMenu;
    bool m_leaving = false;
    bool m_fitted = false;
    bool m_followsOn = false;
};
