#include "clsSQL.h"

#include "CentralRoutines.h"

QString clsSQL::Rep01BackgroundQuery(qint32 reportYear, qint32 currentDataYear, const QString &repVar, bool repGrade)
{
    const QString year = QString::number(reportYear);
    // Outer joins on the barrier and the grade: a learner whose code names
    // nothing still has a profile, which says the code is unknown.
    m_base = QStringLiteral("SELECT LI.ID AS LearnerID, LI.SName & ', ' & LI.FName AS Learner")
        + QStringLiteral(" , LI.AccessionNo, SchoolGrades.Name AS Grade, BI.Nature_Of_Support_Received")
        + QStringLiteral(" , BI.Name_Of_Provider, BI.Contact_Details, Disabilities.Name AS PDisa ")
        + QStringLiteral(" , BI.Family_Situation, BI.Parent_Understanding_Of_Child, Disab.Name AS AddDisa")
        + QStringLiteral(" , LI.LSENDisabilities AS PDisaID, LI.Grade AS GradeID")
        + QStringLiteral(" FROM (((SNE_Learner_Background_Info AS BI RIGHT JOIN Learner_Info AS LI ON (BI.LearnerID = LI.ID AND BI.Data_Year = ")
        + year + QStringLiteral("))")
        + QStringLiteral(" LEFT JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id) ")
        + QStringLiteral(" LEFT JOIN SchoolGrades ON LI.Grade = SchoolGrades.ID) ")
        + QStringLiteral(" LEFT JOIN (MultipleDisabilities AS MD ")
        + QStringLiteral(" LEFT JOIN Disabilities AS Disab ON MD.DisabilityID = Disab.id) ON LI.ID = MD.LearnerID")
        + QStringLiteral(" WHERE ((((LI.LSENStatus)=2 Or (LI.LSENStatus)=3)) OR ((LI.SocialGrantNo)<>''))");

    m_filter.clear();
    if (repGrade) {
        // The grade is an identifier: it goes in as a whole number, whatever the text held.
        m_filter = QStringLiteral(" AND LI.Grade = ") + QString::number(repVar.trimmed().toLongLong());
    } else if (!repVar.isEmpty()) {
        m_filter = QStringLiteral(" AND LI.AccessionNo = '") + SqlText(repVar) + QStringLiteral("'");
    }
    if (reportYear == currentDataYear)
        m_filter += QStringLiteral(" AND (LI.Status)='C'");

    return m_base + m_filter + QStringLiteral(" ORDER BY LI.SName & ', ' & LI.FName");
}

// The area scores are the means of the report year's criteria only: a
// learner assessed again a year later must not have both years averaged.
// The primary barrier is an outer join, as Section 1 loads it: a learner
// whose code names no barrier keeps the stored report (with the code, so
// the profile can say which code it could not name).
QString clsSQL::Rep01DPQuery(qint32 reportYear) const
{
    return QStringLiteral("SELECT LI.ID, LI.SName & ' ' & LI.FName AS LName, LI.LSENDisabilities AS DisabilityID, IIf(Len(LI.BirthDate)=8,")
        + QStringLiteral(" Mid(LI.BirthDate,7,2) & '/' & Mid(LI.BirthDate,5,2) & ' / ' & Left(LI.BirthDate,4),'') AS BirthDate,")
        + QStringLiteral(" Disabilities.Name AS Disability, HPR.Data_Year, HPR.Impairment_Type, IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed) as Medical_Record_Viewed,")
        + QStringLiteral(" IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached) as Medical_Record_Attached, HPR.Comments, CInt(Sum(CFS.Score)/Count(CFS.Sub_Section)) AS Score, LIA.Description")
        + QStringLiteral(" FROM (Learner_Info AS LI LEFT JOIN ((SNE_Health_Professional_Report AS HPR LEFT JOIN")
        + QStringLiteral(" (SNE_Criteria_For_Selection AS CFS LEFT JOIN SNE_lu_Activity_Domain_Sub_Section AS LADS")
        + QStringLiteral(" ON CFS.Sub_Section = LADS.ID) ON (HPR.LearnerID = CFS.LearnerID AND CFS.Data_Year = HPR.Data_Year))")
        + QStringLiteral(" LEFT JOIN SNE_lu_Impairment_Area AS LIA")
        + QStringLiteral(" ON LADS.Activity_Domain = LIA.ID) ON (LI.ID = HPR.LearnerID AND (HPR.Data_Year)=")
        + QString::number(reportYear) + QStringLiteral("))")
        + QStringLiteral(" LEFT JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id")
        + QStringLiteral(" GROUP BY LI.ID, LI.SName & ' ' & LI.FName, LI.LSENDisabilities, Disabilities.Name, HPR.Data_Year, HPR.Impairment_Type,")
        + QStringLiteral(" IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed),")
        + QStringLiteral(" IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached), HPR.Comments, LIA.Description, LI.BirthDate, LI.Grade, LI.Status")
        + QStringLiteral(" ORDER BY LI.SName & ' ' & LI.FName, Disabilities.Name, LIA.Description, LI.Grade");
}

QString clsSQL::Rep01CFS(qint32 reportYear) const
{
    return QStringLiteral("SELECT CFS.LearnerID, CFS.Score, LIA.Description AS AArea, ADSS.Description AS ADomain,")
        + QStringLiteral(" ADLD.DescMild, ADLD.DescMod, ADLD.DescSevere")
        + QStringLiteral(" FROM ((SNE_Criteria_For_Selection AS CFS")
        + QStringLiteral(" INNER JOIN SNE_lu_Activity_Domain_Sub_Section AS ADSS ON CFS.Sub_Section = ADSS.ID)")
        + QStringLiteral(" INNER JOIN SNE_lu_Impairment_Area AS LIA ON ADSS.Activity_Domain = LIA.ID)")
        + QStringLiteral(" INNER JOIN SNE_lu_Activity_Domain_Limit_Desc AS ADLD ON ADSS.ID = ADLD.ID")
        + QStringLiteral(" WHERE (((CFS.Data_Year) = ") + QString::number(reportYear) + QStringLiteral("))")
        + QStringLiteral(" ORDER BY CFS.LearnerID, LIA.Description, ADSS.Description");
}

QString clsSQL::qSchoolGrades() const
{
    return QStringLiteral("Select SG.ID, SG.Name from SchoolGrades as SG INNER JOIN ")
        + QStringLiteral(" Learner_Info as LI on SG.ID = LI.Grade")
        + QStringLiteral(" WHERE schoolgrade ='Yes' AND ((((LI.LSENStatus)=2 Or (LI.LSENStatus)=3)) OR ((LI.SocialGrantNo)<>''))")
        + QStringLiteral(" GROUP BY SG.ID, SG.Name");
}
