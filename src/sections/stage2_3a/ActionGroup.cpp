#include "ActionGroup.h"

#include "ChangeFlag.h"
#include "MessageBoxes.h"
#include "PagePlace.h"
#include "SpreadGrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The stored columns hold 255 characters; an entry cell takes no more, so a
// save never fails half way on a long text.
constexpr int FieldLimit = 255;

const char *const Headings[ActionGroup::Fields] = {"Target to be achieved", "Strategy / resources",
                                                   "Achievement criteria", "Person Responsible", "Review Date",
                                                   "Review comments"};
const char *const BlankNames[ActionGroup::Fields] = {" - Target to be achived", " - Strategy",
                                                     " - Achievement criteria", " - Person responsible",
                                                     " - Review Date", " - Review Comment"};

void headings(SpreadModel &cells, const QString &title)
{
    cells.setColWidths({22, 22, 20, 16, 12, 20});
    cells.setLabel(1, 1, title);
    cells.setBold(1, 1, true);
    cells.addSpan(1, 1, ActionGroup::Fields, 1);
    for (int col = 1; col <= ActionGroup::Fields; ++col)
        cells.setLabel(col, 2, QString::fromLatin1(Headings[col - 1]));
}

} // namespace

ActionGroup::ActionGroup(const ActionGroupSpec &spec, QWidget *parent)
    : QWidget(parent)
    , m_spec(spec)
    , m_entry(new SpreadGrid(Fields, EntryRow, this))
    , m_preview(new SpreadGrid(Fields, FirstActionRow - 1, this))
    , m_list(m_preview, FirstActionRow, 1, Fields, PreviewList::End::LastEntry)
    , m_add(new QPushButton(QStringLiteral("Add to Preview"), this))
    , m_remove(new QPushButton(QStringLiteral("Remove from Preview"), this))
{
    m_entry->setObjectName(QString::fromLatin1(spec.entryGrid));
    m_preview->setObjectName(QString::fromLatin1(spec.previewGrid));
    m_add->setObjectName(QString::fromLatin1(spec.addButton));
    m_remove->setObjectName(QString::fromLatin1(spec.removeButton));
    m_add->setAutoDefault(false);
    m_remove->setAutoDefault(false);
    m_entry->setFitToContents(true);
    m_preview->setFitToContents(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_entry, 0, Qt::AlignLeft);
    layout->addLayout(buttons);
    layout->addWidget(m_preview, 0, Qt::AlignLeft);

    connect(m_entry, &SpreadGrid::cellChanged, this, [this] { showAddButtonState(true); });
    connect(m_add, &QPushButton::clicked, this, &ActionGroup::addToPreview);
    connect(m_remove, &QPushButton::clicked, this, &ActionGroup::removeFromPreview);
    connect(&m_list, &PreviewList::changed, this, &ActionGroup::changed);
}

void ActionGroup::prepare()
{
    SpreadModel &entry = m_entry->cells();
    headings(entry, m_spec.screenTitle);
    for (int col = 1; col <= Fields; ++col) {
        if (col == ReviewDateCol)
            entry.setDate(col, EntryRow, QDate(1990, 1, 1), QDate(2100, 12, 31));
        else
            entry.setEdit(col, EntryRow, FieldLimit);
    }
    m_entry->applyLayout();

    headings(m_preview->cells(), QStringLiteral("Preview of Actions.Click the SAVE button when all the Actions are "
                                                "listed in the Preview."));
    grid::CellSpec actionCell;
    actionCell.type = grid::CellType::Static;
    actionCell.locked = true;
    for (int col = 1; col <= Fields; ++col)
        m_list.setEntryCell(col, actionCell);
    m_preview->applyLayout();
}

void ActionGroup::showAddButtonState(bool pending)
{
    ChangeFlag::setBackColor(m_add, pending ? QColor::fromRgb(ChangeFlag::Yellow) : QColor());
}

QString ActionGroup::blankFieldList(const QStringList &texts)
{
    QString list;
    for (int i = 0; i < Fields; ++i) {
        if (!texts.value(i).trimmed().isEmpty())
            continue;
        if (i > 0)
            list += CrLf;
        list += QString::fromLatin1(BlankNames[i]);
    }
    return list;
}

bool ActionGroup::addToPreview()
{
    QStringList texts;
    for (int col = 1; col <= Fields; ++col)
        texts.append(m_entry->cells().text(col, EntryRow));

    if (texts.join(QString()).trimmed().isEmpty()) {
        showAddButtonState(false);
        return false;
    }
    const QString blanks = blankFieldList(texts);
    if (!blanks.trimmed().isEmpty()
        && !AskUserQuestion(QStringLiteral("You have left the following fields blank: ") + CrLf + blanks + CrLf + CrLf
                            + QStringLiteral("Are you sure you want to leave them blank?")))
        return false;

    PagePlace place(m_add);
    const int row = m_list.appendEntry(texts);
    m_entry->cells().clearText(1, EntryRow, Fields, EntryRow);
    showAddButtonState(false);
    m_entry->setFocus(Qt::OtherFocusReason);   // the next action is typed at once
    m_entry->setActiveCell(1, EntryRow);
    place.settle(m_preview, row);
    return true;
}

bool ActionGroup::removeFromPreview()
{
    PagePlace place(m_remove);
    if (!m_list.removeActiveRow())
        return false;
    place.settle();
    return true;
}
