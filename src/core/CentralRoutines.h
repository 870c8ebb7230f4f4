#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QComboBox;
class QPushButton;
class QWidget;

// The error report every failing routine shows.
void ReportError(const QString &location, const QString &description,
                 const QString &procedure, double number);

// Runs body; any failure inside it is shown through ReportError with the given
// location and procedure, and the result is false. True when body completed.
bool trapped(const QString &location, const QString &procedure, const std::function<void()> &body);

// Apostrophes doubled; an empty text becomes one blank.
QString SqlText(const QString &text);

// Asks the unsaved-data question when the Save button is yellow. Closes the
// screen and returns true unless the user chose to stay.
bool ConfirmLeaveSection(QPushButton *saveButton, QWidget *screen);

void FillYearList(QComboBox *list);
bool CheckReportYear(QComboBox *list);
QString DropFirstChar(const QString &text);

// A code table: entries of (code as decimal text, description), indexed from 1
// in the routines' own terms; here a plain list.
struct CodeEntry { QString code; QString description; };
using CodeTable = QVector<CodeEntry>;
// Exact (case-sensitive, untrimmed) match of description; 0 when not found or blank.
qint32 LookupCodeByText(const QString &description, const CodeTable &table);
