#pragma once

#include <QString>
#include <functional>

class QWidget;

// The report screens live in a library above the shell; the program tells the
// learner list how to open them. Until it does, the list's report buttons stay
// disabled.
struct ReportScreenOpeners
{
    std::function<void(QWidget *parent)> reports;
    // accession: the picked learner's accession number, or empty.
    std::function<void(QWidget *parent, const QString &accession)> learnerProfile;
};

void setReportScreenOpeners(ReportScreenOpeners openers);
const ReportScreenOpeners &reportScreenOpeners();
