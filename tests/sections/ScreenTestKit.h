#pragma once

// What the section screen tests share: a fresh program state over a
// throw-away store, every message box recorded, edits made the way the
// user's cell editor makes them, and the printed page read back as text.
#include "ActionGroup.h"
#include "AppState.h"
#include "EntryPreviewList.h"
#include "MessageRecorder.h"
#include "PdfText.h"
#include "PrinterChoice.h"
#include "ScreenRegistry.h"
#include "SectionScreen.h"
#include "SpreadGrid.h"
#include "TestStore.h"
#include "TextCells.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace kit {

// The confirmation of a save that completed.
inline const QString Saved = QStringLiteral("Your Information has been saved.");

// Shows the window and waits until it has the keyboard, as the user's does.
inline bool shownAndActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Through the model, so the grid reports the change as the user's.
inline bool type(grid::SpreadGrid *grid, int col, int row, const QVariant &value, int role = Qt::EditRole)
{
    return grid->model()->setData(grid->model()->index(row - 1, col - 1), value, role);
}

inline QString text(const grid::SpreadGrid *grid, int col, int row)
{
    return grid->cells().text(col, row);
}

// The texts of cells (column, row) of grid, joined by "|".
inline QString texts(const grid::SpreadGrid *grid, std::initializer_list<QPoint> cells)
{
    QStringList shown;
    for (const QPoint &cell : cells)
        shown << grid->cells().text(cell.x(), cell.y());
    return shown.join(QLatin1Char('|'));
}

inline grid::SpreadGrid *gridOf(const QWidget &screen, const char *name)
{
    return screen.findChild<grid::SpreadGrid *>(QString::fromLatin1(name));
}

// Gives every value a screen shows from the store a new one, as the user
// would: every unlocked edit, date, check box, choice and number cell of
// every grid gets another value, and every entry-and-preview list and every
// group of planned actions gets one more entry (their grids take no typing).
// Returns how many changes it made.
inline int editEveryStoredCell(QWidget &screen)
{
    static int round = 0;   // each call types texts of its own, so a second call changes them again
    ++round;
    int changes = 0;
    forEachEditableCell(screen, [&](grid::SpreadGrid *g, int col, int row, const grid::CellSpec &cell) {
        QVariant value;
        switch (cell.type) {
        case grid::CellType::Edit:
            value = QStringLiteral("Changed %1.%2").arg(round).arg(changes + 1).left(cell.maxLength > 0 ? cell.maxLength : 100);
            break;
        case grid::CellType::Date:
            value = QDate(2015, 1, 1).addDays((round * 7 + changes) % 300);
            break;
        case grid::CellType::CheckBox:
            value = grid::isChecked(cell.text) ? QStringLiteral("0") : QStringLiteral("1");
            break;
        case grid::CellType::ComboBox:
            for (const QString &item : cell.items)
                if (!item.isEmpty() && item != cell.text) {
                    value = item;
                    break;
                }
            break;
        case grid::CellType::Integer:
            value = cell.text == QString::number(cell.minValue) ? cell.maxValue : cell.minValue;
            break;
        default:
            break;
        }
        const QString before = g->cells().text(col, row);
        if (value.isValid() && type(g, col, row, value) && g->cells().text(col, row) != before)
            ++changes;
    });
    for (EntryPreviewList *list : screen.findChildren<EntryPreviewList *>()) {
        list->textBox()->setText(QStringLiteral("Added %1.%2").arg(round).arg(changes + 1));
        list->firstOption()->setChecked(true);
        changes += list->add();
    }
    for (ActionGroup *group : screen.findChildren<ActionGroup *>())
        changes += group->addToPreview();   // its entry row was filled above
    return changes;
}

// A screen as the program opens it: made, then loaded.
template <class Screen, class... Args>
std::unique_ptr<Screen> opened(Args &&...args)
{
    auto screen = std::make_unique<Screen>(std::forward<Args>(args)...);
    screen->loadScreen();
    return screen;
}

// A registered screen as the navigator opens it, by its name.
inline std::unique_ptr<SectionScreen> opened(const QString &name)
{
    std::unique_ptr<SectionScreen> screen(ScreenRegistry::instance().entry(name)->create(nullptr));
    screen->loadScreen();
    return screen;
}

struct Fixture
{
    explicit Fixture(bool demoSchool) : store(demoSchool, true) {}
    ~Fixture() { PrinterChoice::setChooser({}); }

    void storeScore(int learner, int subSection, int score, int year) const
    {
        store.exec(QStringLiteral("INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) "
                                  "VALUES (%1, %2, %3, %4)").arg(learner).arg(subSection).arg(score).arg(year));
    }

    // Makes learner id the current learner of year y, whose rows the two below read and write.
    int pick(int id, int y)
    {
        learner = id;
        year = y;
        store.pickLearner(id, y);
        return id;
    }

    // Rows of table for the picked learner and year: columns and each row's
    // values given without LearnerID and Data_Year.
    void insert(const QString &table, const QString &columns, const QStringList &rows) const
    {
        QStringList values;
        for (const QString &row : rows)
            values << QStringLiteral("(%1, %2, ").arg(learner).arg(year) + row + QLatin1Char(')');
        store.exec(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (LearnerID, Data_Year, ") + columns
                   + QStringLiteral(") VALUES ") + values.join(QStringLiteral(", ")));
    }

    // The picked learner's rows of table in the year, each as expr, in order, joined by sep.
    QString rows(const QString &table, const QString &expr, const QString &order = QStringLiteral("ID"),
                 const QString &where = QStringLiteral("1"), const QString &sep = QStringLiteral(",")) const
    {
        return store.scalar(QStringLiteral("SELECT group_concat(%1, '%2') FROM (SELECT * FROM %3 WHERE LearnerID = %4 AND "
                                           "Data_Year = %5 AND (%6) ORDER BY %7)")
                                .arg(expr, sep, table).arg(learner).arg(year).arg(where, order)).toString();
    }

    QString pdfPath() const { return store.dir() + QStringLiteral("/page.pdf"); }

    // Prints the screen into a PDF and reads the page back; a null text when
    // the print failed.
    QString printed(SectionScreen &screen, int *pages = nullptr) const
    {
        const QString pdf = pdfPath();
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
        if (!screen.printPageNow())
            return QString();
        if (pages)
            *pages = PdfText::pageCount(pdf);
        return PdfText::all(pdf);
    }

    // The one box shown is the error report of `procedure` at `location`,
    // and no confirmation came with it.
    bool reportedFailure(const QString &location, const QString &procedure) const
    {
        return boxes.count() == 1 && boxes.last().title.startsWith(QStringLiteral("Error : "))
            && boxes.sawText(QStringLiteral("Location: ") + location)
            && boxes.sawText(QStringLiteral("Procedure: ") + procedure);
    }

    // The first member: the program state is reset before the store registers itself.
    struct Reset { Reset() { resetAppState(); } } reset;
    TestStore store;
    MessageRecorder boxes;
    int learner = 0;
    int year = 0;
};

} // namespace kit
