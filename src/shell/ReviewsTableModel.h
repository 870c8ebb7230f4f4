#pragma once

#include "ReviewsDue.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The Reviews Due list as a table: the group, then the columns of
// ReviewsDue::columns(); LineRole gives a row's line in the list.
class ReviewsTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    static constexpr int LineRole = Qt::UserRole + 1;
    static constexpr int GroupColumn = 0;
    static constexpr int GradeColumn = 3;
    static constexpr int ReviewDateColumn = 7;

    void setList(const ReviewsDueList &list);
    const QString &text(int row, int column) const { return m_texts.at(row).at(column); }
    // Whether row a sorts before row b by column: groups in their own order,
    // review dates as dates (then the undated, then texts that are no date),
    // other texts ignoring case.
    bool sortsBefore(int a, int b, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVector<QStringList> m_texts;
    QVector<int> m_groups;
    QStringList m_dateKeys;
    QStringList m_tips;   // the review date as stored
};
