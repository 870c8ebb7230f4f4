#pragma once

#include "StoreWork.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// "SNA [ BARRIER/LEARNER SELECTION ]": the filters of a list report (a
// barrier or a responsible provider, and one learner or all), from which it
// builds the report's statement and opens the viewer.
class frmBarrierSelect : public QDialog
{
    Q_OBJECT
public:
    // formMode: "LearnerSummary" or "LearnerList".
    explicit frmBarrierSelect(const QString &formMode, QWidget *parent = nullptr);

    QString FormMode() const { return m_formMode; }

    // Fills the barrier and provider lists and shows the frame of the mode.
    void formLoad();

    // Checks the choices; builds the statement and opens the viewer. Returns
    // the statement, or empty when a choice was refused.
    QString printReport();

    QComboBox *barrierList() const { return m_barrier; }
    QComboBox *providerList() const { return m_provider; }
    QLineEdit *accessionBox() const { return m_accession; }
    QCheckBox *allBarriers() const { return m_allBarriers; }
    QCheckBox *allProviders() const { return m_allProviders; }
    QCheckBox *allLearners() const { return m_allLearners; }
    QGroupBox *barrierFrame() const { return m_barrierFrame; }
    QGroupBox *providerFrame() const { return m_providerFrame; }
    QPushButton *button(const QString &objectName) const;

private:
    // Empties the list and returns the routine that fills it.
    StoreRoutine fillList(QComboBox *list, const QString &sql, const QString &column);
    // Ticking "All ..." empties and disables its field; unticking enables it and focuses it.
    void bindAllBox(QCheckBox *box, QWidget *field);

    QString m_formMode;
    QGroupBox *m_barrierFrame;
    QGroupBox *m_providerFrame;
    QCheckBox *m_allBarriers;
    QCheckBox *m_allProviders;
    QCheckBox *m_allLearners;
    QComboBox *m_barrier;
    QComboBox *m_provider;
    QLineEdit *m_accession;
};
