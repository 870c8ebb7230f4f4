#include "ReviewsTableModel.h"

#include <QColor>

namespace {

// Dates in date order, then the undated actions, then the texts that are no date.
QString reviewSortKey(const ReviewLine &line)
{
    if (line.reviewDate.isValid())
        return QStringLiteral("0 ") + line.reviewDate.toString(Qt::ISODate);
    return (line.group == ReviewDate::Group::NoDate ? QStringLiteral("1 ") : QStringLiteral("2 "))
           + line.reviewShown();
}

} // namespace

void ReviewsTableModel::setList(const ReviewsDueList &list)
{
    beginResetModel();
    m_texts.clear();
    m_groups.clear();
    m_dateKeys.clear();
    m_tips.clear();
    m_texts.reserve(list.lines.size());
    for (const ReviewLine &line : list.lines) {
        m_texts << QStringList{ReviewDate::groupTitle(line.group)} + ReviewsDue::columns(line);
        m_groups << int(line.group);
        m_dateKeys << reviewSortKey(line);
        m_tips << line.reviewText;
    }
    endResetModel();
}

bool ReviewsTableModel::sortsBefore(int a, int b, int column) const
{
    if (column == GroupColumn)
        return m_groups.at(a) < m_groups.at(b);
    if (column == ReviewDateColumn)
        return QString::compare(m_dateKeys.at(a), m_dateKeys.at(b), Qt::CaseInsensitive) < 0;
    return QString::compare(text(a, column), text(b, column), Qt::CaseInsensitive) < 0;
}

int ReviewsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_texts.size());
}

int ReviewsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ReviewsDue::columnTitles().size()) + 1;
}

QVariant ReviewsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::ForegroundRole:
        // Overdue reviews stand out in the list.
        return m_groups.at(index.row()) == int(ReviewDate::Group::Overdue) ? QVariant(QColor(160, 0, 0)) : QVariant();
    case Qt::ToolTipRole:
        return index.column() == ReviewDateColumn ? QVariant(m_tips.at(index.row())) : QVariant();
    case LineRole:
        return index.row();
    default:
        return QVariant();
    }
}

QVariant ReviewsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == GroupColumn ? QStringLiteral("Group") : ReviewsDue::columnTitles().value(section - 1);
}
