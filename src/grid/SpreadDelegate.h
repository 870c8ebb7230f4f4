#pragma once

#include <QStyledItemDelegate>

namespace grid {

class SpreadModel;

// The one delegate of a spread grid: paints every cell type (so the screen
// wraps texts exactly as the row heights were measured) and gives each
// editable type its editor. Clicks on button cells and toggles of check box
// cells are reported through buttonPressed.
class SpreadDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit SpreadDelegate(const SpreadModel &model, QObject *parent = nullptr);

    // Inset of a cell's text from its edges, in pixels.
    static constexpr double TextPadH = 3.0;
    static constexpr double TextPadV = 2.0;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    // The next list editor created opens its list at once (a click on a level
    // cell, F4 or Alt+Down), as a combo box does on its own.
    void openListOnNextEditor(bool open) { m_openList = open; }

Q_SIGNALS:
    // A Button cell was pressed, or a CheckBox cell toggled, by the user.
    void buttonPressed(const QModelIndex &index);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model,
                     const QStyleOptionViewItem &option, const QModelIndex &index) override;

private:
    void commitAndClose(QWidget *editor);

    const SpreadModel &m_model;
    mutable bool m_openList = false;
};

} // namespace grid
