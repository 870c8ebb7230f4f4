#include "SchemaTables.h"

#include <QHash>

namespace {

struct TableDefinition
{
    QString name;
    QString create;
};

// The statements are kept as the host engine's SQL was written for these
// tables (and as older installations created them), so a table created here
// has the same columns, widths and key names as one created years ago.
const QVector<TableDefinition> &dataDefinitions()
{
    static const QVector<TableDefinition> tables = {
        {QStringLiteral("SNE_Learner_Background_Info"),
         QStringLiteral("Create Table SNE_Learner_Background_Info(ID COUNTER, LearnerID LONG, Nature_Of_Support_Received TEXT(255), ")
             + QStringLiteral("Name_Of_Provider TEXT(255), Contact_Details TEXT(255), Family_Situation MEMO, ")
             + QStringLiteral("Parent_Understanding_Of_Child MEMO, Data_Year INTEGER, Constraint Background_Info_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Health_Professional_Report"),
         QStringLiteral("Create Table SNE_Health_Professional_Report(ID COUNTER, LearnerID LONG, Impairment_Type TEXT(4), ")
             + QStringLiteral("Medical_Record_Viewed BIT, Medical_Record_Attached BIT, Comments MEMO, Data_Year INTEGER, Constraint Health_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Learner_Impairment_Area"),
         QStringLiteral("Create Table SNE_Learner_Impairment_Area(ID COUNTER, LearnerID LONG, Impairment_Area INTEGER, ")
             + QStringLiteral("Mild_Imp TEXT(255), Moderate_Imp TEXT(255), Severe_Imp TEXT(255), Data_Year INTEGER, Constraint Imp_Area_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Criteria_For_Selection"),
         QStringLiteral("Create Table SNE_Criteria_For_Selection(ID COUNTER, LearnerID LONG, Sub_Section INTEGER, ")
             + QStringLiteral("Score INTEGER, Data_Year INTEGER, Constraint Criteria_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Criteria_For_Selection_Other"),
         QStringLiteral("Create Table SNE_Criteria_For_Selection_Other(ID COUNTER, LearnerID LONG, None_Mild MEMO, Moderate MEMO, Severe MEMO, ")
             + QStringLiteral("Score INTEGER, Data_Year INTEGER, Constraint Criteria_Other_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Learning_And_Development_Barriers"),
         QStringLiteral("Create Table SNE_Learning_And_Development_Barriers(ID COUNTER, LearnerID LONG, Learning MEMO, Communication MEMO, ")
             + QStringLiteral("Behavioural_Social_Competence MEMO, Health_Wellness_Personal_Care MEMO, Physical_Access MEMO, ")
             + QStringLiteral("Data_Year INTEGER, Constraint Learning_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Factors_Community"),
         QStringLiteral("Create Table SNE_Factors_Community(ID COUNTER, LearnerID LONG, Positive_Influence TEXT(255), ")
             + QStringLiteral("Barrier TEXT(255), Data_Year INTEGER, Constraint Community_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Factors_Classroom"),
         QStringLiteral("Create Table SNE_Factors_Classroom(ID COUNTER, LearnerID LONG, Enabling_Factor TEXT(255), ")
             + QStringLiteral("Barrier TEXT(255), Data_Year INTEGER, Constraint Community_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Factors_School"),
         QStringLiteral("Create Table SNE_Factors_School(ID COUNTER, LearnerID LONG, Enabling_Factor TEXT(255), ")
             + QStringLiteral("Barrier TEXT(255), Data_Year INTEGER, Constraint Community_PK Primary Key (ID))")},
        {QStringLiteral("SNE_ISP"),
         QStringLiteral("Create Table SNE_ISP(ID COUNTER, LearnerID LONG, [Action] INTEGER, Target TEXT(255), ")
             + QStringLiteral("Strategy TEXT(255), Achievement_Criteria TEXT(255), Person_Responsible TEXT(255), ")
             + QStringLiteral("Review_Date TEXT(30), Review_Comments TEXT(255), Data_Year INTEGER, Constraint ISP_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Assessment_Supp_Req"),
         QStringLiteral("Create Table SNE_Assessment_Supp_Req(ID COUNTER, LearnerID LONG, GridID INTEGER, Support_Area INTEGER, ")
             + QStringLiteral("[Level] TEXT(20), Data_Year INTEGER, Constraint ASR_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Assessment_Supp_Req_Rating"),
         QStringLiteral("Create Table SNE_Assessment_Supp_Req_Rating(ID COUNTER, LearnerID LONG, Support_Area INTEGER,")
             + QStringLiteral("Rating INTEGER, Data_Year INTEGER, Constraint ASRIR_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Learner_Support_Needs"),
         QStringLiteral("Create Table SNE_Learner_Support_Needs(ID COUNTER, LearnerID LONG, Support_Area INTEGER,")
             + QStringLiteral("Low_Moderate_High TEXT(20), School_Need TEXT(255), School_Available TEXT(255), Data_Year INTEGER, Constraint ASLEARNER_PK Primary Key (ID))")},
        {QStringLiteral("SNE_ILST_Intervention_Records"),
         QStringLiteral("Create Table SNE_ILST_Intervention_Records(ID COUNTER, LearnerID LONG, Whole_School_Development MEMO,")
             + QStringLiteral("Educator_Training MEMO, Learner_Support MEMO, Learner_Parent_Discussed BIT, Learner_Parent_Response MEMO, ")
             + QStringLiteral("ILST_Analysis_To_DBST MEMO, Principal_Approve_Request_DBST BIT, Principal_Reason MEMO, ")
             + QStringLiteral("Circuit_Manager_Endores BIT, Circuit_Manager_Reason MEMO, Data_Year INTEGER, Constraint ILST_PK Primary Key (ID))")},
        {QStringLiteral("SNE_DBST_Review_ILST_Request"),
         QStringLiteral("Create Table SNE_DBST_Review_ILST_Request(ID COUNTER, LearnerID LONG, ISLT_Coord_Educ_Req_Made BIT,")
             + QStringLiteral("Parent_Accept_Recom BIT, Parent_Reason MEMO, ISLT_Approved_Reason MEMO, ISLT_Not_Approved_Reason MEMO, ")
             + QStringLiteral("DBST_Support_School_Site INTEGER, Senior_Manager_Approval MEMO, School_Discussed_Parent BIT, School_Discussed_Comment MEMO, ")
             + QStringLiteral("Data_Year INTEGER, Constraint REV_PK Primary Key (ID))")},
        {QStringLiteral("SNE_DBST_Support_Strategy"),
         QStringLiteral("Create Table SNE_DBST_Support_Strategy(ID COUNTER, LearnerID LONG, Support_Needed TEXT(255), Support_Area INTEGER,")
             + QStringLiteral("Support_Level TEXT(1), School_Steps MEMO, Learner_Steps MEMO, Person_Responsible TEXT(255), ")
             + QStringLiteral("Timeframe TEXT(255), Budget TEXT(100), School_Outcome TEXT(255), Learner_Outcome TEXT(255), ")
             + QStringLiteral("Designation TEXT(255), Review_Date DATETIME, Data_Year INTEGER, Constraint STR_PK Primary Key (ID))")},
        {QStringLiteral("SNE_Action_Review"),
         QStringLiteral("Create Table SNE_Action_Review(ID COUNTER, LearnerID LONG, [Action] INTEGER, Name TEXT(255), Outcome MEMO,")
             + QStringLiteral("Designation TEXT(255), Review_Date MEMO, Data_Year INTEGER, Constraint STR_K Primary Key (ID))")},
        {QStringLiteral("SNE_Learner_Supp_Needs"),
         QStringLiteral("Create Table SNE_Learner_Supp_Needs(ID COUNTER, LearnerID LONG, Disability_Descr TEXT(255),")
             + QStringLiteral("Psycho_Social_Support TEXT(255), Data_Year INTEGER, Constraint ASLEARNER_PK Primary Key (ID))")},
    };
    return tables;
}

const QVector<TableDefinition> &lookupDefinitions()
{
    static const QVector<TableDefinition> tables = {
        {QStringLiteral("SNE_lu_Impairment_Area"),
         QStringLiteral("Create Table SNE_lu_Impairment_Area(ID INTEGER, Description TEXT(50), Constraint LU_Impairment_PK Primary Key (ID))")},
        {QStringLiteral("SNE_lu_Activity_Domain_Sub_Section"),
         QStringLiteral("Create Table SNE_lu_Activity_Domain_Sub_Section(ID INTEGER, Activity_Domain INTEGER, ")
             + QStringLiteral("Description TEXT(50), Constraint LU_Domain_PK Primary Key (ID))")},
        {QStringLiteral("SNE_lu_ISP_Actions"),
         QStringLiteral("Create Table SNE_lu_ISP_Actions(ID INTEGER, Description TEXT(100), Constraint LU_ISP_PK Primary Key (ID))")},
        {QStringLiteral("SNE_lu_Activity_Domain_Limit_Desc"),
         QStringLiteral("Create Table SNE_lu_Activity_Domain_Limit_Desc(ID INTEGER, DescMild MEMO, ")
             + QStringLiteral("DescMod MEMO, DescSevere MEMO, Constraint LU_DomainDesc_PK Primary Key (ID))")},
    };
    return tables;
}

QStringList namesOf(const QVector<TableDefinition> &tables)
{
    QStringList names;
    for (const TableDefinition &table : tables)
        names << table.name;
    return names;
}

const QHash<QString, QString> &statementsByName()
{
    static const QHash<QString, QString> statements = [] {
        QHash<QString, QString> byName;
        for (const TableDefinition &table : dataDefinitions())
            byName.insert(table.name, table.create);
        for (const TableDefinition &table : lookupDefinitions())
            byName.insert(table.name, table.create);
        return byName;
    }();
    return statements;
}

} // namespace

namespace SchemaTables {

const QStringList &dataTables()
{
    static const QStringList names = namesOf(dataDefinitions());
    return names;
}

const QStringList &lookupTables()
{
    static const QStringList names = namesOf(lookupDefinitions());
    return names;
}

bool isLookupTable(const QString &table)
{
    return lookupTables().contains(table);
}

QString createStatement(const QString &table)
{
    return statementsByName().value(table);
}

QString indexName(const QString &table)
{
    return table + QStringLiteral("_LearnerYear");
}

QString indexStatement(const QString &table)
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS [") + indexName(table) + QStringLiteral("] ON ") + table
        + QStringLiteral(" ([LearnerID], [Data_Year])");
}

} // namespace SchemaTables
