#pragma once

#include "PreviewList.h"

#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QRadioButton;
namespace grid { class SpreadGrid; }

// The controls and texts of one entry-and-preview list, as its screen names them.
struct EntryPreviewSpec
{
    QString textBoxName;
    QString firstOptionName;
    QString firstOptionCaption;
    QString secondOptionName;
    QString secondOptionCaption;
    QString addButtonName;
    QString removeButtonName;
    // The preview grid's columns the two options put their entries in.
    int firstOptionColumn = 1;
    int secondOptionColumn = 2;
    // Shown when Add finds the box blank, and when no option is chosen.
    QString emptyMessage;
    QString noOptionMessage;
    // The stored column's width: the box takes no more characters.
    int textLimit = 255;
};

// An entry box with a pair of options above a preview list: Add puts the
// box's text into the first free row of the chosen option's column, Remove
// takes the active entry row out. The Add button is yellow while the box
// holds text. The screen places the grid's fixed rows and reads entries()
// when it saves.
class EntryPreviewList : public QWidget
{
    Q_OBJECT
public:
    EntryPreviewList(grid::SpreadGrid *grid, int firstEntryRow, int firstCol, int lastCol,
                     const EntryPreviewSpec &spec, QWidget *parent = nullptr);

    PreviewList &list() { return m_list; }
    const PreviewList &list() const { return m_list; }
    grid::SpreadGrid *grid() const { return m_list.grid(); }
    QLineEdit *textBox() const { return m_box; }
    QRadioButton *firstOption() const { return m_first; }
    QRadioButton *secondOption() const { return m_second; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *removeButton() const { return m_remove; }

    // Add to Preview; false when the box was blank or no option was chosen
    // (the user has been told which).
    bool add();
    bool remove();

Q_SIGNALS:
    // An entry was added (row: where it went) or removed.
    void entryPlaced(int row);
    void changed();

private:
    void showAddButtonState();

    EntryPreviewSpec m_spec;
    PreviewList m_list;
    QLineEdit *m_box;
    QRadioButton *m_first;
    QRadioButton *m_second;
    QPushButton *m_add;
    QPushButton *m_remove;
};
