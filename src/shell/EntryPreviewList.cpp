#include "EntryPreviewList.h"

#include "ChangeFlag.h"
#include "EditLimits.h"
#include "MessageBoxes.h"
#include "PagePlace.h"
#include "SpreadGrid.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

EntryPreviewList::EntryPreviewList(grid::SpreadGrid *grid, int firstEntryRow, int firstCol, int lastCol,
                                   const EntryPreviewSpec &spec, QWidget *parent)
    : QWidget(parent)
    , m_spec(spec)
    , m_list(grid, firstEntryRow, firstCol, lastCol, PreviewList::End::EmptyRow)
    , m_box(new QLineEdit(this))
    , m_first(new QRadioButton(spec.firstOptionCaption, this))
    , m_second(new QRadioButton(spec.secondOptionCaption, this))
    , m_add(new QPushButton(QStringLiteral("Add to Preview"), this))
    , m_remove(new QPushButton(QStringLiteral("Remove from Preview"), this))
{
    m_box->setObjectName(spec.textBoxName);
    m_first->setObjectName(spec.firstOptionName);
    m_second->setObjectName(spec.secondOptionName);
    m_add->setObjectName(spec.addButtonName);
    m_remove->setObjectName(spec.removeButtonName);
    m_add->setAutoDefault(false);
    m_remove->setAutoDefault(false);
    grid::LineEditLimit::attach(m_box, spec.textLimit);
    m_list.setIndependentColumns({spec.firstOptionColumn, spec.secondOptionColumn});

    // The two options of one list exclude each other, whatever else shares the page.
    auto *options = new QButtonGroup(this);
    options->addButton(m_first);
    options->addButton(m_second);

    grid->setParent(this);
    grid->setFitToContents(true);

    auto *entryRow = new QHBoxLayout;
    entryRow->addWidget(m_first);
    entryRow->addWidget(m_second);
    entryRow->addWidget(m_box, 1);
    entryRow->addWidget(m_add);
    entryRow->addWidget(m_remove);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid, 0, Qt::AlignLeft);
    layout->addLayout(entryRow);

    connect(m_box, &QLineEdit::textChanged, this, &EntryPreviewList::showAddButtonState);
    connect(m_box, &QLineEdit::returnPressed, this, &EntryPreviewList::add);
    connect(m_add, &QPushButton::clicked, this, &EntryPreviewList::add);
    connect(m_remove, &QPushButton::clicked, this, &EntryPreviewList::remove);
    connect(&m_list, &PreviewList::changed, this, &EntryPreviewList::changed);
}

void EntryPreviewList::showAddButtonState()
{
    ChangeFlag::setBackColor(m_add, m_box->text().trimmed().isEmpty() ? QColor() : QColor::fromRgb(ChangeFlag::Yellow));
}

bool EntryPreviewList::add()
{
    const QString text = m_box->text();
    if (text.trimmed().isEmpty()) {
        ShowUserMessage(m_spec.emptyMessage);
        m_box->setFocus();
        return false;
    }
    if (!m_first->isChecked() && !m_second->isChecked()) {
        ShowUserMessage(m_spec.noOptionMessage);
        return false;
    }
    const int col = m_first->isChecked() ? m_spec.firstOptionColumn : m_spec.secondOptionColumn;
    PagePlace place(m_add);
    const int row = m_list.placeInColumn(col, text);
    Q_EMIT entryPlaced(row);
    m_box->clear();
    showAddButtonState();
    m_box->setFocus();   // the next entry is typed at once
    place.settle(grid(), row);
    return true;
}

bool EntryPreviewList::remove()
{
    PagePlace place(m_remove);
    if (!m_list.removeActiveRow())
        return false;
    place.settle();
    return true;
}
