#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

// The first screen: the data year every section screen loads and saves.
class frmSelectYear : public QDialog
{
    Q_OBJECT
public:
    explicit frmSelectYear(QWidget *parent = nullptr);

    QComboBox *yearList() const { return m_year; }
    QPushButton *continueButton() const { return m_continue; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Stores the chosen year; false (with a message) when none is chosen.
    bool confirmYear();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *m_year;
    QPushButton *m_continue;
    QPushButton *m_cancel;
};
