#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class PagePrinter;
namespace grid { class SpreadGrid; }

// What every section screen shares: the caption, the learner line, the year
// box, the Save button whose colour is the change flag, leaving by Main Menu,
// Next Page and Previous Page through the unsaved-data question, and Print
// Page. A screen adds its grids to body(), its get routines in load(), its
// save routines in saveRoutines() and its page in printPage().
class SectionScreen : public QDialog
{
    Q_OBJECT
public:
    // Where the user asked to go when the screen closed.
    enum class Target { MainMenu, Next, Previous };

    SectionScreen(const QString &screenName, const QString &caption, QWidget *parent = nullptr);

    QString screenName() const { return objectName(); }
    Target target() const { return m_target; }

    // Fills the header and runs the screen's get routines. Called once per
    // opening, before the screen is shown.
    void loadScreen();
    // Called each time the screen is shown again after having been hidden (a
    // screen kept while the screens after it in its chain were open).
    virtual void reactivate() {}
    // Whether Next Page hides this screen instead of closing it, so its
    // unsaved edits survive until the user comes back.
    virtual bool keptWhileChainContinues() const { return false; }

    // The buttons, for the navigator and for tests.
    QPushButton *saveButton() const { return m_save; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *menuButton() const { return m_menu; }
    QLabel *learnerLabel() const { return m_learner; }
    QLineEdit *yearBox() const { return m_year; }

    bool hasUnsavedChanges() const;
    void markChanged();

    // Save: every save routine in order; the confirmation only when all completed.
    bool save();
    // Print Page: the printer dialog, then the screen's page. False when the
    // print failed or was cancelled (the failure has been reported).
    bool printPageNow();

    // Leave by Main Menu, Next Page or Previous Page after the unsaved-data
    // question; false when the user chose to stay.
    bool leave(Target target);

public Q_SLOTS:
    // Escape and the window's own close control ask the same question as Main Menu.
    void reject() override;

protected:
    enum class SaveOutcome { Completed, Failed, Refused };
    using SaveRoutine = std::function<SaveOutcome()>;

    // The screen's page: grids fitted to their cells, top to bottom, in a
    // scrolling area. addGrid also watches the grid for changes.
    void addGrid(grid::SpreadGrid *grid);
    void addToBody(QWidget *widget, int stretch = 0);
    void setNeighbours(bool hasPrevious, bool hasNext);
    void setPrintButtonName(const QString &objectName);
    // Any change the user makes in the grid marks the screen as changed.
    void watchGrid(grid::SpreadGrid *grid);
    QVBoxLayout *body() const { return m_body; }

    virtual void prepareGrids() {}
    virtual void load() = 0;
    virtual QVector<SaveRoutine> saveRoutines() = 0;
    virtual void printPage(PagePrinter &printer) = 0;
    virtual QPageLayout::Orientation printOrientation() const { return QPageLayout::Portrait; }
    // The cell the cursor goes to once the screen is loaded.
    virtual void placeCursor() {}

    // Wraps a routine that reports its own failures: true -> Completed.
    static SaveRoutine routine(std::function<bool()> body);

private:
    QPushButton *m_save;
    QPushButton *m_print;
    QPushButton *m_previous;
    QPushButton *m_next;
    QPushButton *m_menu;
    QLabel *m_learner;
    QLineEdit *m_year;
    QVBoxLayout *m_body;
    Target m_target = Target::MainMenu;
    bool m_leaving = false;
};
