#pragma once

#include <QString>
#include <optional>

// The whole statement of one of the two list reports, as the barrier/learner
// selection screen builds it from its choices.
namespace ReportModes {
inline const QString LearnerSummary = QStringLiteral("LearnerSummary");
inline const QString LearnerList = QStringLiteral("LearnerList");
inline const QString MainReport = QStringLiteral("MainReport");
inline const QString ScoreSummary = QStringLiteral("ScoreSummary");
}

struct ListReportFilter
{
    QString formMode;               // ReportModes::LearnerSummary or ReportModes::LearnerList
    qint32 reportYear = 0;
    qint32 currentDataYear = 0;
    // A value restricts the report ("All ..." unticked); none lists everyone.
    std::optional<QString> barrier;
    std::optional<QString> provider;
    std::optional<QString> accession;
};

// Empty for a mode that is neither list report.
QString listReportStatement(const ListReportFilter &filter);
