#pragma once

#include <QDialog>

#include <exception>

class Connection;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace grid { class SpreadGrid; }

// The learners who qualify for a support needs assessment, current or
// archived; a click picks the learner every section screen works on.
class frmSelectLearner : public QDialog
{
    Q_OBJECT
public:
    explicit frmSelectLearner(QWidget *parent = nullptr);

    // The database start-up: settings entry, table check, school details and
    // the current learners. On a failure it says which database and what
    // failed, and returns false: the program then ends.
    bool startUp();

    // Refills the list with the learners of the chosen status. A failure is
    // reported once and the list stays as it was; false then.
    bool getLearners();
    // The statement that lists the current (or the archived) learners.
    static QString learnersStatement(bool archived);
    void pickLearner(int row);
    // Search; returns the row found, 0 when none.
    int search();
    void openMainMenu();
    // "Append Previous Year Information": the warning, then the append.
    void appendPreviousYear();
    // "Print Learner Profile": the options, with the picked learner's accession number.
    void printLearnerProfile();
    void openReports();
    // "Reviews Due": the review dates of the year's ISP actions, from today.
    void openReviewsDue();

    grid::SpreadGrid *learnerGrid() const { return m_grid; }
    QLineEdit *countBox() const { return m_number; }
    QLineEdit *searchBox() const { return m_search; }
    QRadioButton *currentOption() const { return m_current; }
    QRadioButton *archivedOption() const { return m_archived; }
    QRadioButton *accessionOption() const { return m_byAccession; }
    QRadioButton *nameOption() const { return m_byName; }
    QPushButton *button(const QString &objectName) const;

    // The screen's copies of the clicked row (emptied on activation).
    QString pickedName() const { return m_picked[1]; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildGrid();
    void fillLearners(Connection &connection);
    void showStartUpFailure(const QString &step, const std::exception &error);
    void clearPicked();

    grid::SpreadGrid *m_grid;
    QLineEdit *m_number;
    QLineEdit *m_search;
    QRadioButton *m_current;
    QRadioButton *m_archived;
    bool m_listsArchived = false;   // whose learners the list shows
    QRadioButton *m_byAccession;
    QRadioButton *m_byName;
    QLabel *m_image;
    QString m_picked[5];
};
