#pragma once

#include "ShownRows.h"
#include "StoreScreen.h"

class Connection;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The learner's additional disabilities (barriers) besides the primary one,
// with the K number and the date of testing. Writes the host table
// MultipleDisabilities, which belongs to the learner, not to a data year.
// It loads, refuses and saves as the section screens do (StoreScreen); only
// its confirmation is worded its own way.
class frmMultipleDisabilities : public StoreScreen
{
    Q_OBJECT
public:
    explicit frmMultipleDisabilities(QWidget *parent = nullptr);

    // Filled by the caller before the window is shown.
    void setLearner(const QString &learnerName);
    void setPrimary(const QString &primaryName);

    // The list, then the learner's stored rows. Runs once, when the window is
    // first shown (tests call it directly).
    // False when it did not complete: the failure has been reported once and
    // the window cannot save.
    bool loadData();

    QLineEdit *learnerBox() const { return txtLearner; }
    QLineEdit *primaryBox() const { return txtPrimary; }
    QLineEdit *kNumberBox() const { return txtKNumber; }
    QDateEdit *testDate() const { return dtTest; }
    QTreeWidget *disabilityList() const { return lvwDisabilities; }
    QPushButton *doneButton() const { return cmdDone; }

    // The item of disability code, nullptr when not listed.
    QTreeWidgetItem *itemForCode(int code) const;
    static bool isPrimaryItem(const QTreeWidgetItem *item);

public Q_SLOTS:
    // Done, Escape and the window's close control all ask the unsaved-data question.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    QVector<StoreRoutine> saveRoutines() override;
    void confirmSaved() override;

private:
    void getDisabilities(Connection &db);
    void getData(Connection &db);
    void itemChanged(QTreeWidgetItem *item);
    void markTyped();
    ShownRows::Places disabilityRows() const;
    // The K number and the date of testing: the learner's, on every row.
    ShownRows::Values learnerValues() const;
    void saveData(Connection &db);

    QLineEdit *txtLearner;
    QLineEdit *txtPrimary;
    QLineEdit *txtKNumber;
    QDateEdit *dtTest;
    QTreeWidget *lvwDisabilities;
    QPushButton *cmdDone;
    bool m_loaded = false;
    bool m_loading = false;
    ShownRows m_rows{QStringLiteral("MultipleDisabilities"), {QStringLiteral("DisabilityID")}};
    ShownRows::Values m_storedLearnerValues;
};
