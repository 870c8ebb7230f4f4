#include "SectionScreen.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "ChangeFlag.h"
#include "EnterPressesButton.h"
#include "MessageBoxes.h"
#include "PagePrinter.h"
#include "PrintPreview.h"
#include "PrinterChoice.h"
#include "SpreadGrid.h"
#include "WindowFit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

SectionScreen::SectionScreen(const QString &screenName, const QString &caption, QWidget *parent)
    : StoreScreen(screenName,
                  QStringLiteral("The learner's information could not be read, so this page cannot be saved. Close it "
                                 "and open it again once the database can be reached."),
                  parent)
{
    setWindowTitle(caption);
    setModal(true);
    resize(1000, 720);

    m_learner = new QLabel(this);
    m_learner->setObjectName(QStringLiteral("lblLearner"));
    QFont learnerFont = m_learner->font();
    learnerFont.setBold(true);
    m_learner->setFont(learnerFont);

    m_year = new QLineEdit(this);
    m_year->setObjectName(QStringLiteral("txtCurrentYear"));
    m_year->setReadOnly(true);
    m_year->setMaximumWidth(70);
    m_year->setFocusPolicy(Qt::NoFocus);

    auto *header = new QHBoxLayout;
    header->addWidget(m_learner, 1);
    header->addWidget(new QLabel(QStringLiteral("Current Year:"), this));
    header->addWidget(m_year);

    auto *content = new QWidget;
    m_body = new QVBoxLayout(content);
    m_body->setContentsMargins(0, 0, 0, 0);
    m_body->addStretch(1);   // the page starts at the top; what is left stays empty
    m_page = new QScrollArea(this);
    m_page->setWidgetResizable(true);
    m_page->setFrameShape(QFrame::NoFrame);
    m_page->setFocusPolicy(Qt::NoFocus);   // Tab goes from the grids straight to the buttons
    m_page->setWidget(content);

    auto makeButton = [this](const QString &name, const QString &text) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    m_print = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("Print Page"));
    m_previous = makeButton(QStringLiteral("cmdPrevious"), QStringLiteral("Previous Page"));
    m_next = makeButton(QStringLiteral("cmdNext"), QStringLiteral("Next Page"));
    m_menu = makeButton(QStringLiteral("cmdMenu"), QStringLiteral("Main Menu"));
    setNeighbours(QString(), QString());

    auto *tab = new QLabel(QStringLiteral("TAB button to move between controls"), this);
    tab->setObjectName(QStringLiteral("lblTab"));
    tab->setToolTip(QStringLiteral("In a text answer Return starts a new line; Tab finishes the answer and "
                                   "moves on. Enter on a button presses it."));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(tab);
    buttons->addStretch(1);
    for (QPushButton *button : {saveButton(), m_print, m_previous, m_next, m_menu})
        buttons->addWidget(button);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(loadFailedNotice());
    layout->addWidget(m_page, 1);
    layout->addLayout(buttons);

    // The keys every program uses for saving and printing work here too.
    saveButton()->setToolTip(QKeySequence(QKeySequence::Save).toString(QKeySequence::NativeText));
    m_print->setToolTip(QKeySequence(QKeySequence::Print).toString(QKeySequence::NativeText));
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, [this] { save(); });
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, [this] { printPageNow(); });

    EnterPressesButton::install(this);

    connect(m_print, &QPushButton::clicked, this, [this] { printPageNow(); });
    connect(m_menu, &QPushButton::clicked, this, [this] { leave(Target::MainMenu); });
    connect(m_next, &QPushButton::clicked, this, [this] { leave(Target::Next); });
    connect(m_previous, &QPushButton::clicked, this, [this] { leave(Target::Previous); });
}

void SectionScreen::setNeighbours(const QString &previous, const QString &next)
{
    m_previous->setVisible(!previous.isEmpty());
    m_next->setVisible(!next.isEmpty());
}

void SectionScreen::setPrintButtonName(const QString &objectName)
{
    m_print->setObjectName(objectName);
}

void SectionScreen::watchGrid(grid::SpreadGrid *grid)
{
    connect(grid, &grid::SpreadGrid::cellChanged, this, [this] { markChanged(); });
}

void SectionScreen::addGrid(grid::SpreadGrid *grid)
{
    grid->setFitToContents(true);
    m_body->insertWidget(m_body->count() - 1, grid, 0, Qt::AlignLeft);
    watchGrid(grid);
}

void SectionScreen::addToBody(QWidget *widget, int stretch)
{
    m_body->insertWidget(m_body->count() - 1, widget, stretch);
}

QWidget *SectionScreen::addPage(const QString &title)
{
    if (!m_pages) {
        m_pages = new QTabWidget;
        m_pages->setObjectName(QStringLiteral("tabPages"));
        addToBody(m_pages);
    }
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addStretch(1);   // a short page keeps its grids at the top
    m_pages->addTab(page, title);
    return page;
}

void SectionScreen::addToPage(QWidget *page, QWidget *widget, int stretch)
{
    auto *layout = qobject_cast<QVBoxLayout *>(page->layout());
    Q_ASSERT(layout);
    layout->insertWidget(layout->count() - 1, widget, stretch);
}

void SectionScreen::addGrid(grid::SpreadGrid *grid, QWidget *page)
{
    grid->setFitToContents(true);
    auto *layout = qobject_cast<QVBoxLayout *>(page->layout());
    Q_ASSERT(layout);
    layout->insertWidget(layout->count() - 1, grid, 0, Qt::AlignLeft);
    watchGrid(grid);
}

int SectionScreen::currentPage() const
{
    return m_pages ? m_pages->currentIndex() : -1;
}

void SectionScreen::setCurrentPage(int index)
{
    if (m_pages && index >= 0 && index < m_pages->count())
        m_pages->setCurrentIndex(index);
}

int SectionScreen::pageCount() const
{
    return m_pages ? m_pages->count() : 0;
}

bool SectionScreen::loadScreen()
{
    const AppState &state = appState();
    m_learner->setText(state.CurrentLearnerName + QStringLiteral(" : Acc Number: ") + state.CurrentAccessionNo);
    m_year->setText(QString::number(state.CurrentDataYear));
    prepareGrids();
    const bool completed = runLoad(loadRoutines());
    afterLoad();
    ChangeFlag::markSaved(saveButton());
    placeCursor();
    return completed;
}

void SectionScreen::commitEditors()
{
    for (grid::SpreadGrid *grid : findChildren<grid::SpreadGrid *>())
        grid->commitEditor();
}

bool SectionScreen::printPageNow()
{
    commitEditors();
    const QString jobName = windowTitle() + QStringLiteral(" - ") + appState().CurrentLearnerName;
    if (!PrinterChoice::hasChooser()) {
        PrintPreview preview({jobName, printOrientation(), [this](QPrinter &printer) {
                                  PagePrinter page(printer);
                                  printInto(page);
                              }},
                             this);
        preview.exec();
        return preview.printed();
    }
    return trapped(objectName(), QStringLiteral("Print Routine"), [&] {
        std::unique_ptr<QPrinter> printer = PrinterChoice::choose(this, printOrientation(), jobName);
        PagePrinter page(*printer);
        printInto(page);
    });
}

void SectionScreen::printInto(PagePrinter &printer)
{
    commitEditors();
    const AppState &state = appState();
    printer.setHead({state.EmisCode, state.CurrentLearnerName, state.CurrentAccessionNo});
    printPage(printer);
    printer.endDoc();
}

bool SectionScreen::leave(Target target)
{
    if (!mayLeave())
        return false;
    m_target = target;
    m_leaving = true;
    QDialog::reject();
    m_leaving = false;
    return true;
}

void SectionScreen::reject()
{
    if (m_leaving) {
        QDialog::reject();
        return;
    }
    leave(Target::MainMenu);
}

void SectionScreen::setVisible(bool visible)
{
    if (visible && !m_fitted) {
        m_fitted = true;
        orderTabs();
        for (grid::SpreadGrid *grid : findChildren<grid::SpreadGrid *>())
            grid->fitPendingRowsNow();
        if (!m_followsOn) {
            const QSize size = WindowFit::showingWholePage(*this, *m_page, WindowFit::roomOnScreen(*this));
            resize(size);
            // On the screen the user works on, in its middle, whoever the parent is.
            move(WindowFit::centredPlace(*this, size));
        }
    }
    QDialog::setVisible(visible);
}

void SectionScreen::followOn(const QRect &place)
{
    m_followsOn = true;
    resize(place.size());
    move(place.topLeft());
}

void SectionScreen::orderTabs()
{
    // The page's controls come first, as they stand from top to bottom, then
    // the buttons from left to right.
    QWidget *last = this;
    while (last->nextInFocusChain() != this)
        last = last->nextInFocusChain();
    for (QPushButton *button : {saveButton(), m_print, m_previous, m_next, m_menu}) {
        if (button == last)
            continue;
        setTabOrder(last, button);
        last = button;
    }
}
