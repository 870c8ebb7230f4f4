#include "LearnerSections.h"

namespace LearnerSections {

const QVector<Section> &all()
{
    static const QVector<Section> sections{
        {1, QStringLiteral("cmdBackground"), QStringLiteral("Section 1 : Background information on learner"),
         QStringLiteral("frmBackgroundInfo"), {QStringLiteral("SNE_Learner_Background_Info")}},
        {1, QStringLiteral("cmdDiagnosticProfile"), QStringLiteral("DP: Diagnostic Profile"),
         QStringLiteral("frmHealthReport"),
         {QStringLiteral("SNE_Health_Professional_Report"), QStringLiteral("SNE_Learner_Impairment_Area"),
          QStringLiteral("SNE_Criteria_For_Selection"), QStringLiteral("SNE_Criteria_For_Selection_Other")}},
        {2, QStringLiteral("cmdExtendedProfile"), QStringLiteral("Section 2 : Extended profile of learner needs"),
         QStringLiteral("frmExtendedProfile1"),
         {QStringLiteral("SNE_Learning_And_Development_Barriers"), QStringLiteral("SNE_Factors_Community"),
          QStringLiteral("SNE_Factors_Classroom"), QStringLiteral("SNE_Factors_School")}},
        {2, QStringLiteral("cmdISP"), QStringLiteral("ISP: Individual Support Plan"), QStringLiteral("frmISP"),
         {QStringLiteral("SNE_ISP")}},
        {3, QStringLiteral("cmdSection3a"), QStringLiteral("Section 3a : Assessment of support requirements"),
         QStringLiteral("frmAssessment_Support_Reg1"),
         {QStringLiteral("SNE_Assessment_Supp_Req"), QStringLiteral("SNE_Assessment_Supp_Req_Rating"),
          QStringLiteral("SNE_Learner_Supp_Needs")}},
        {3, QStringLiteral("cmdSection3b"), QStringLiteral("Section 3b: School request form for additional support"),
         QStringLiteral("frmSchoolRequestSupport"),
         {QStringLiteral("SNE_Learner_Support_Needs"), QStringLiteral("SNE_ILST_Intervention_Records")}},
        {4, QStringLiteral("cmdSection4"),
         QStringLiteral("Section 4: Action plan for additional support provision and monitoring"),
         QStringLiteral("frmActionPlan"),
         {QStringLiteral("SNE_DBST_Review_ILST_Request"), QStringLiteral("SNE_DBST_Support_Strategy"),
          QStringLiteral("SNE_Action_Review")}},
    };
    return sections;
}

} // namespace LearnerSections
