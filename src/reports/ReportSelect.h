#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

// "SNA [ REPORT SELECTION ]": the report year and the report to make.
class frmReportSelect : public QDialog
{
    Q_OBJECT
public:
    explicit frmReportSelect(QWidget *parent = nullptr);

    QComboBox *yearList() const { return m_year; }
    QPushButton *button(const QString &objectName) const;

    // The buttons' actions; the list reports open the barrier/learner
    // selection, the score summary its options screen.
    void openListReport(const QString &formMode);
    void openScoreSummary();

private:
    QComboBox *m_year;
};
