#pragma once

#include "PreviewList.h"

#include <QStringList>
#include <QVector>
#include <QWidget>

class QPushButton;
namespace grid { class SpreadGrid; }

// The names one group of the support plan gives its controls and its title.
struct ActionGroupSpec
{
    int action = 1;                 // the group number stored in [Action]
    const char *entryGrid;
    const char *previewGrid;
    const char *addButton;
    const char *removeButton;
    QString screenTitle;            // row 1 of the entry grid
    QString paperTitle;             // printed above the group's actions
};

// One group of planned actions: a one-row entry grid whose six fields Add to
// Preview moves into the group's preview list (after asking about the fields
// left blank), and Remove from Preview takes out again.
class ActionGroup : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Fields = 6;
    static constexpr int EntryRow = 3;
    static constexpr int FirstActionRow = 3;
    static constexpr int ReviewDateCol = 5;

    explicit ActionGroup(const ActionGroupSpec &spec, QWidget *parent = nullptr);

    const ActionGroupSpec &spec() const { return m_spec; }
    grid::SpreadGrid *entryGrid() const { return m_entry; }
    grid::SpreadGrid *previewGrid() const { return m_preview; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *removeButton() const { return m_remove; }
    PreviewList &list() { return m_list; }

    // The fixed rows of both grids and the entry row's cells.
    void prepare();

    // The question's list of the blank fields among texts: each blank field's
    // name, every one after the first field preceded by a line break.
    static QString blankFieldList(const QStringList &texts);

    // AddToPreview; false when nothing was added (all fields empty, or the
    // user kept the entry to fill in the blank fields).
    bool addToPreview();
    bool removeFromPreview();

    // The six fields of every action in the preview list.
    QVector<QStringList> actions() const { return m_list.entries(); }
    void setActions(const QVector<QStringList> &actions) { m_list.setEntries(actions); }

Q_SIGNALS:
    void changed();

private:
    void showAddButtonState(bool pending);

    ActionGroupSpec m_spec;
    grid::SpreadGrid *m_entry;
    grid::SpreadGrid *m_preview;
    PreviewList m_list;
    QPushButton *m_add;
    QPushButton *m_remove;
};
