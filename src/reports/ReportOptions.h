#pragma once

#include "CentralRoutines.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Report Options": the year and the learners of a learner report (all, one
// grade, or one learner by accession number), then the viewer.
class frmReportOptions : public QDialog
{
    Q_OBJECT
public:
    // reportName: "LearnerScoreSummary" or "LearnerProfile".
    explicit frmReportOptions(const QString &reportName, QWidget *parent = nullptr);

    QString strReportName() const { return m_reportName; }

    // Fills the year list; the score summary starts with "All".
    void formLoad();
    // The accession box, filled by the learner list for the picked learner.
    void setAccession(const QString &accession);

    void chooseAll();
    void chooseGrade();
    void chooseLearner();
    // Checks the choices and opens the viewer; false when a choice was refused.
    bool printReport();

    QComboBox *yearList() const { return m_year; }
    QComboBox *gradeList() const { return m_grade; }
    QLineEdit *accessionBox() const { return m_accession; }
    QGroupBox *gradeFrame() const { return m_gradeFrame; }
    QGroupBox *learnerFrame() const { return m_learnerFrame; }
    QRadioButton *option(const QString &objectName) const;
    QPushButton *button(const QString &objectName) const;
    int gradeLoads() const { return m_gradeLoads; }

private:
    void loadGrades();

    QString m_reportName;
    QComboBox *m_year;
    QRadioButton *m_all;
    QRadioButton *m_gradeOption;
    QRadioButton *m_learnerOption;
    QGroupBox *m_gradeFrame;
    QGroupBox *m_learnerFrame;
    QComboBox *m_grade;
    QLineEdit *m_accession;
    QPushButton *m_print;
    CodeTable m_grades;
    int m_gradeLoads = 0;
};
