#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "TextRoutines.h"

class QComboBox;
class QPushButton;
class QWidget;

// The error report every failing routine shows.
void ReportError(const QString &location, const QString &description,
                 const QString &procedure, double number);

// Runs body; any failure inside it is shown through ReportError with the given
// location and procedure, and the result is false. True when body completed.
bool trapped(const QString &location, const QString &procedure, const std::function<void()> &body);

// Asks the unsaved-data question when the Save button is yellow. Closes the
// screen and returns true unless the user chose to stay.
bool ConfirmLeaveSection(QPushButton *saveButton, QWidget *screen);

void FillYearList(QComboBox *list);
bool CheckReportYear(QComboBox *list);
