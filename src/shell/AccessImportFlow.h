#pragma once

#include <QString>

class QWidget;
struct AccessImportResult;

// "Import from Access database…": the user picks a school's Access file and
// the place of the new database; the copy shows a bar per table with a Cancel
// button, and at the end the program offers to make the new database the one
// this computer uses. A cancel or a failure leaves no new file behind.
class AccessImportFlow
{
public:
    explicit AccessImportFlow(QWidget *parent) : m_parent(parent) {}

    // Asks for both files, then imports.
    void start();

    // Imports with the progress window and reports the outcome; true when the
    // new database is in place.
    bool import(const QString &source, const QString &target);

private:
    bool importOnce(const QString &source, const QString &target, bool replace, bool &askReplace);
    void offerAsCurrent(const AccessImportResult &result, const QString &target);

    QWidget *m_parent;
};
