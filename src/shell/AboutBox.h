#pragma once

#include <QDialog>

class QLabel;

// "About": the program's version, the database it works on and its engine,
// and the settings file that names that database.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    // The shown texts, by their line's object name ("lblVersion", "lblDatabase",
    // "lblEngine", "lblSettings").
    QString line(const QString &objectName) const;

    // The database in use: the one opened at start-up, otherwise the settings' entry.
    static QString databaseInUse();
};
