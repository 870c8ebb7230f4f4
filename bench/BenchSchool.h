#pragma once

#include "Connection.h"
#include "MessageBoxes.h"

#include <cstdio>

// What the screen measurements share about the demo school they run on.
namespace BenchSchool {

// A current learner with this year's assessment: the learner whose screens
// hold the most rows.
inline qint32 assessedLearner(Connection &connection, qint32 year)
{
    const Recordset rs = connection.query(
        QStringLiteral("SELECT r.LearnerID FROM SNE_Assessment_Supp_Req_Rating r INNER JOIN Learner_Info l "
                       "ON l.ID = r.LearnerID WHERE l.Status = 'C' AND r.Data_Year = ")
        + QString::number(year) + QStringLiteral(" GROUP BY r.LearnerID ORDER BY count(*) DESC, r.LearnerID"));
    return rs.isEmpty() ? 0 : rs.value(0, QStringLiteral("LearnerID")).toInt();
}

// Message boxes answer themselves; any but the save confirmation is printed.
inline void answerBoxesQuietly()
{
    setMessageResponder([](const MessageBoxCall &call) {
        if (call.text != QLatin1String("Your Information has been saved."))
            std::fprintf(stderr, "[%s] %s\n", qPrintable(call.title), qPrintable(call.text));
        return MsgCode::AnswerOk;
    });
}

} // namespace BenchSchool
