#include "LearnerDetails.h"

#include "Connection.h"

namespace LearnerDetails {

QString loadDis(Connection &db, qint32 LID)
{
    Recordset rs = db.query(
        QStringLiteral("SELECT LI.ID, MD.DisabilityID as DisID, D2.Name as Disability")
        + QStringLiteral(" From  ((Learner_Info as LI  INNER JOIN MultipleDisabilities as MD on  LI.ID = MD.LearnerID)")
        + QStringLiteral(" INNER JOIN Disabilities AS D2 ON MD.DisabilityID = D2.id)")
        + QStringLiteral(" Where LI.ID = ") + QString::number(LID));
    QString joined;
    for (; !rs.eof(); rs.moveNext())
        joined += rs.text(QStringLiteral("Disability")) + QStringLiteral(", ");
    if (!joined.isEmpty())
        joined.chop(2);
    return joined;
}

QString shownBirthDate(const QString &hostDate)
{
    const QString date = hostDate.trimmed();
    if (date.isEmpty())
        return QString();
    return date.right(2) + QLatin1Char('/') + date.mid(4, 2) + QLatin1Char('/') + date.left(4);
}

} // namespace LearnerDetails
