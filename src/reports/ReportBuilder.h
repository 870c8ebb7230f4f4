#pragma once

#include "Recordset.h"

#include <QString>
#include <memory>

class Connection;
class ReportDesign;
class clsSQL;

// What the report screens hand the viewer: the mode, the list report's
// statement, the learner reports' filter, and the years.
struct ReportRequest
{
    QString mode;               // ReportModes::...
    QString sql;                // the list reports' statement; the score summary's learner statement once built
    QString repVar;             // grade identifier, accession number, or empty
    bool repGrade = false;      // repVar holds a grade identifier
    qint32 reportYear = 0;
    qint32 currentDataYear = 0;
};

// The learner profile's three datasets: the main rows and the two subreports'
// rows, which hold every learner of the year.
struct LearnerProfileData
{
    Recordset main;
    Recordset diagnostic;
    Recordset criteria;
};

namespace ReportBuilder {

// The title each report carries; the profile's names its year.
QString title(const QString &mode, qint32 reportYear);

LearnerProfileData loadLearnerProfile(Connection &connection, clsSQL &statements, const ReportRequest &request);

// Reads the report's dataset and hands it to its design, with the school's
// name and the title set. Null for an unknown mode. Store failures throw.
std::unique_ptr<ReportDesign> build(Connection &connection, clsSQL &statements, ReportRequest &request,
                                    const QString &schoolName);

} // namespace ReportBuilder
