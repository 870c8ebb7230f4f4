#pragma once

#include "ReviewsDue.h"

#include <QDate>
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;
class ReviewsFilter;
class ReviewsTableModel;

// "Reviews Due": the review dates of every ISP action of the current learners
// of the data year, grouped by how soon they fall due, with the last review
// held beside each learner. Sorted by any column, filtered by grade and by
// text; a double-click or Enter opens the learner's ISP at the action's tab,
// and the list is read again when the ISP closes. Print shows the list in the
// print preview.
class frmReviewsDue : public QDialog
{
    Q_OBJECT
public:
    // today: the day the groups count from (the clock's day in the program).
    explicit frmReviewsDue(const QDate &today, QWidget *parent = nullptr);
    ~frmReviewsDue() override;

    // Reads the list again; false when the store could not be read (reported).
    bool load();
    const ReviewsDueList &list() const { return m_list; }
    // The rows as shown (filtered and sorted), each as its line in list().
    QVector<int> shownLines() const;
    // Opens the ISP of the shown row (0-based) at its action's tab.
    void openRow(int shownRow);
    void printList();
    // The shown rows, in group order, as the page prints them.
    ReviewsDueList shownList() const;

    QTableView *view() const { return m_view; }
    QComboBox *gradeFilter() const { return m_grade; }
    QLineEdit *textFilter() const { return m_text; }
    QLabel *countsLabel() const { return m_counts; }

private:
    void fillModel();
    void fillGrades();
    void showCounts();
    QString filterNote() const;

    QDate m_today;
    ReviewsDueList m_list;
    ReviewsTableModel *m_model;
    ReviewsFilter *m_filter;
    QTableView *m_view;
    QComboBox *m_grade;
    QLineEdit *m_text;
    QLabel *m_counts;
    bool m_columnsSized = false;
};
