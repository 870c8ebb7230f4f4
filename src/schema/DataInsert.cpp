#include "DataInsert.h"

#include "TextRoutines.h"
#include "Connection.h"
#include "LookupContents.h"

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + SqlText(text) + QLatin1Char('\'');
}

QString rowText(const QStringList &values)
{
    return QLatin1Char('(') + values.join(QStringLiteral(", ")) + QLatin1Char(')');
}

} // namespace

int DataInsert::insertRows(const QString &table)
{
    Connection &target = m_connection;
    int inserted = 0;
    for (const QString &row : std::as_const(m_rows)) {
        target.execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + m_columns
                       + QStringLiteral(") VALUES ") + row);
        ++inserted;
    }
    return inserted;
}

int DataInsert::InsertIA()
{
    m_columns = QStringLiteral("ID, DESCRIPTION");
    m_rows.clear();
    for (const ImpairmentArea &area : impairmentAreas())
        m_rows << rowText({QString::number(area.id), quoted(area.description)});
    return insertRows(QStringLiteral("SNE_lu_Impairment_Area"));
}

int DataInsert::InsertADDS()
{
    m_columns = QStringLiteral("ID,Activity_Domain,DESCRIPTION");
    m_rows.clear();
    for (const ActivitySubSection &subSection : activitySubSections())
        m_rows << rowText({QString::number(subSection.id), QString::number(subSection.activityDomain),
                           quoted(subSection.description)});
    return insertRows(QStringLiteral("SNE_lu_Activity_Domain_Sub_Section"));
}

int DataInsert::InsertADLD()
{
    m_columns = QStringLiteral("ID,DescMild,DescMod,DescSevere");
    m_rows.clear();
    for (int subSection = 1; subSection <= LimitDescriptionCount; ++subSection) {
        const LimitDescription &levels = limitDescription(subSection);
        m_rows << rowText({QString::number(subSection), quoted(levels.mild), quoted(levels.moderate),
                           quoted(levels.severe)});
    }
    return insertRows(QStringLiteral("SNE_lu_Activity_Domain_Limit_Desc"));
}

int DataInsert::InsertISP()
{
    m_columns = QStringLiteral("ID, DESCRIPTION");
    m_rows.clear();
    for (const IspAction &action : ispActions())
        m_rows << rowText({QString::number(action.id), quoted(action.description)});
    return insertRows(QStringLiteral("SNE_lu_ISP_Actions"));
}

int DataInsert::fill(const QString &table)
{
    if (table == QLatin1String("SNE_lu_Impairment_Area"))
        return InsertIA();
    if (table == QLatin1String("SNE_lu_Activity_Domain_Sub_Section"))
        return InsertADDS();
    if (table == QLatin1String("SNE_lu_ISP_Actions"))
        return InsertISP();
    if (table == QLatin1String("SNE_lu_Activity_Domain_Limit_Desc"))
        return InsertADLD();
    return -1;
}
