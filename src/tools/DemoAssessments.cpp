#include "DemoAssessments.h"

#include "Connection.h"
#include "DemoSequence.h"

#include <QStringList>
#include <QVector>

namespace {

QString quoted(const QString &text)
{
    return demoQuoted(text);
}

// Its own seed: the assessments never change the school's learners.
using Sequence = DemoSequence;

const QStringList &providers()
{
    static const QStringList list = {
        QStringLiteral("Laudium Clinic"), QStringLiteral("St Mary's Hospital"), QStringLiteral("District Based Support Team"),
        QStringLiteral("Dr P. Naidoo (Occupational Therapist)"), QStringLiteral("Sediba Remedial Centre"),
        QStringLiteral("Department of Social Development"),
    };
    return list;
}

const QStringList &phrases()
{
    static const QStringList list = {
        QStringLiteral("Reads below grade level; responds well to one-on-one support."),
        QStringLiteral("Lives with grandmother and two siblings; mother works in Johannesburg."),
        QStringLiteral("Parents understand the learner's needs and attend every meeting."),
        QStringLiteral("Struggles to concentrate for longer than ten minutes."),
        QStringLiteral("Uses a hearing aid in class; sits in the front row."),
        QStringLiteral("Needs a reader and extra time in assessments."),
        QStringLiteral("Friendly, helps other learners; easily frustrated by written work."),
        QStringLiteral("Transport to school is irregular in the rainy season."),
    };
    return list;
}

class Writer
{
public:
    Writer(Connection &connection, Sequence &sequence) : m_connection(connection), m_random(sequence) {}

    qint64 rows() const { return m_rows; }

    void assess(qint64 learner, qint32 year)
    {
        const QString l = QString::number(learner);
        const QString y = QString::number(year);
        insert(QStringLiteral("SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, Name_Of_Provider, "
                              "Contact_Details, Family_Situation, Parent_Understanding_Of_Child, Data_Year)"),
               {l, quoted(m_random.pick({QStringLiteral("Remedial reading"), QStringLiteral("Speech therapy"),
                                          QStringLiteral("Occupational therapy"), QStringLiteral("Counselling")})),
                quoted(m_random.pick(providers())), quoted(QStringLiteral("012 %1 %2").arg(300 + m_random.next(600)).arg(1000 + m_random.next(9000))),
                quoted(m_random.pick(phrases())), quoted(m_random.pick(phrases())), y});
        insert(QStringLiteral("SNE_Health_Professional_Report (LearnerID, Impairment_Type, Medical_Record_Viewed, "
                              "Medical_Record_Attached, Comments, Data_Year)"),
               {l, quoted(m_random.pick({QStringLiteral("P"), QStringLiteral("T"), QStringLiteral("P/T")})),
                QString::number(m_random.next(2)), QString::number(m_random.next(2)), quoted(m_random.pick(phrases())), y});
        for (int area = 1; area <= 8; ++area) {
            const int level = m_random.next(4);
            insert(QStringLiteral("SNE_Learner_Impairment_Area (LearnerID, Impairment_Area, Mild_Imp, Moderate_Imp, Severe_Imp, Data_Year)"),
                   {l, QString::number(area), quoted(level == 1 ? QStringLiteral("X") : QString()),
                    quoted(level == 2 ? QStringLiteral("X") : QString()), quoted(level == 3 ? QStringLiteral("X") : QString()), y});
        }
        // Whole domains mostly share a score, so the score summary shows
        // words as well as "N/A".
        for (int subSection = 1; subSection <= 29; ++subSection) {
            const int base = 1 + (learner + subSection / 6) % 3;
            const int score = m_random.next(5) == 0 ? 1 + m_random.next(3) : base;
            insert(QStringLiteral("SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year)"),
                   {l, QString::number(subSection), QString::number(score), y});
        }
        insert(QStringLiteral("SNE_Criteria_For_Selection_Other (LearnerID, None_Mild, Moderate, Severe, Score, Data_Year)"),
               {l, quoted(m_random.pick(phrases())), quoted(QString()), quoted(QString()), QString::number(1 + m_random.next(3)), y});
        insert(QStringLiteral("SNE_Learning_And_Development_Barriers (LearnerID, Learning, Communication, "
                              "Behavioural_Social_Competence, Health_Wellness_Personal_Care, Physical_Access, Data_Year)"),
               {l, quoted(m_random.pick(phrases())), quoted(m_random.pick(phrases())), quoted(m_random.pick(phrases())),
                quoted(m_random.pick(phrases())), quoted(m_random.pick(phrases())), y});
        for (int i = 0, n = 1 + m_random.next(3); i < n; ++i) {
            insert(QStringLiteral("SNE_Factors_Community (LearnerID, Positive_Influence, Barrier, Data_Year)"),
                   {l, quoted(m_random.pick({QStringLiteral("Church youth group"), QStringLiteral("Soccer club")})),
                    quoted(m_random.pick({QStringLiteral("Long walk to school"), QStringLiteral(" ")})), y});
            insert(QStringLiteral("SNE_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year)"),
                   {l, quoted(QStringLiteral("Small reading group")), quoted(QStringLiteral("Noisy classroom")), y});
            insert(QStringLiteral("SNE_Factors_School (LearnerID, Enabling_Factor, Barrier, Data_Year)"),
                   {l, quoted(QStringLiteral("Library period")), quoted(QStringLiteral("No ramp at the hall")), y});
        }
        for (int action = 1; action <= 5; ++action) {
            insert(QStringLiteral("SNE_ISP (LearnerID, [Action], Target, Strategy, Achievement_Criteria, Person_Responsible, "
                                  "Review_Date, Review_Comments, Data_Year)"),
                   {l, QString::number(action), quoted(QStringLiteral("Read a grade-level text")),
                    quoted(QStringLiteral("Paired reading three times a week")), quoted(QStringLiteral("Reads 60 words a minute")),
                    quoted(QStringLiteral("Class teacher")), quoted(QStringLiteral("15/06/%1").arg(year)), quoted(QString()), y});
        }
        for (int item = 1; item <= 45; ++item) {
            for (int area = 1 + m_random.next(3), count = 0; area <= 5 && count < 2; area += 1 + m_random.next(2), ++count) {
                const int level = m_random.next(6);
                insert(QStringLiteral("SNE_Assessment_Supp_Req (LearnerID, GridID, Support_Area, [Level], Data_Year)"),
                       {l, QString::number(item), QString::number(area),
                        quoted(level == 5 ? QStringLiteral("N/A") : QStringLiteral("Level %1").arg(level + 1)), y});
            }
        }
        for (int area = 1; area <= 5; ++area) {
            insert(QStringLiteral("SNE_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, Data_Year)"),
                   {l, QString::number(area), QString::number(1 + m_random.next(5)), y});
            insert(QStringLiteral("SNE_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, School_Need, "
                                  "School_Available, Data_Year)"),
                   {l, QString::number(area), quoted(m_random.pick({QStringLiteral("Low"), QStringLiteral("Moderate"), QStringLiteral("High")})),
                    quoted(QStringLiteral("Teacher assistant")), quoted(QStringLiteral("Learning support educator")), y});
        }
        insert(QStringLiteral("SNE_ILST_Intervention_Records (LearnerID, Whole_School_Development, Educator_Training, "
                              "Learner_Support, Learner_Parent_Discussed, Learner_Parent_Response, ILST_Analysis_To_DBST, "
                              "Principal_Approve_Request_DBST, Principal_Reason, Circuit_Manager_Endores, Circuit_Manager_Reason, Data_Year)"),
               {l, quoted(m_random.pick(phrases())), quoted(QStringLiteral("Workshop on differentiated teaching")),
                quoted(m_random.pick(phrases())), QString::number(m_random.next(2)), quoted(QStringLiteral("Parents agreed")),
                quoted(m_random.pick(phrases())), QStringLiteral("1"), quoted(QString()), QString::number(m_random.next(2)),
                quoted(QString()), y});
        insert(QStringLiteral("SNE_DBST_Review_ILST_Request (LearnerID, ISLT_Coord_Educ_Req_Made, Parent_Accept_Recom, "
                              "Parent_Reason, ISLT_Approved_Reason, ISLT_Not_Approved_Reason, DBST_Support_School_Site, "
                              "Senior_Manager_Approval, School_Discussed_Parent, School_Discussed_Comment, Data_Year)"),
               {l, QStringLiteral("1"), QString::number(m_random.next(2)), quoted(QString()), quoted(m_random.pick(phrases())),
                quoted(QString()), QString::number(1 + m_random.next(3)), quoted(QStringLiteral("Approved")), QStringLiteral("1"),
                quoted(QStringLiteral("Discussed at the parent meeting")), y});
        for (int i = 0, n = 1 + m_random.next(3); i < n; ++i) {
            insert(QStringLiteral("SNE_DBST_Support_Strategy (LearnerID, Support_Needed, Support_Area, Support_Level, "
                                  "School_Steps, Learner_Steps, Person_Responsible, Timeframe, Budget, School_Outcome, "
                                  "Learner_Outcome, Designation, Review_Date, Data_Year)"),
                   {l, quoted(QStringLiteral("Assistive reading device")), QString::number(1 + m_random.next(30)),
                    quoted(m_random.pick({QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("H")})),
                    quoted(m_random.pick(phrases())), quoted(m_random.pick(phrases())), quoted(QStringLiteral("Mrs Dlamini")),
                    quoted(QStringLiteral("One term")), quoted(QStringLiteral("R %1").arg(500 + m_random.next(5000))),
                    quoted(QStringLiteral("Device in use")), quoted(QStringLiteral("Reads independently")),
                    quoted(QStringLiteral("Learning support educator")), quoted(QStringLiteral("%1-09-15").arg(year)), y});
            insert(QStringLiteral("SNE_Action_Review (LearnerID, [Action], Name, Outcome, Designation, Review_Date, Data_Year)"),
                   {l, QString::number(1 + i), quoted(m_random.pick({QStringLiteral("Mr Botha"), QStringLiteral("Ms Khumalo")})),
                    quoted(m_random.pick(phrases())), quoted(QStringLiteral("ILST coordinator")),
                    quoted(QStringLiteral("30/11/%1").arg(year)), y});
        }
        insert(QStringLiteral("SNE_Learner_Supp_Needs (LearnerID, Disability_Descr, Psycho_Social_Support, Data_Year)"),
               {l, quoted(m_random.pick(phrases())), quoted(QStringLiteral("Weekly counselling")), y});
    }

private:
    void insert(const QString &tableAndColumns, const QStringList &values)
    {
        m_connection.execute(QStringLiteral("INSERT INTO ") + tableAndColumns + QStringLiteral(" VALUES (")
                             + values.join(QLatin1Char(',')) + QLatin1Char(')'));
        ++m_rows;
    }

    Connection &m_connection;
    Sequence &m_random;
    qint64 m_rows = 0;
};

} // namespace

namespace DemoAssessments {

Counts fill(Connection &connection, int assessed, qint32 year)
{
    const Recordset learners = connection.query(
        QStringLiteral("SELECT ID, Status FROM Learner_Info WHERE LSENStatus IN (2,3) OR SocialGrantNo <> '' ORDER BY ID"));
    Sequence sequence(20260101u);
    Writer writer(connection, sequence);
    Counts counts;
    Transaction transaction(connection);
    int currentAssessed = 0;
    for (int row = 0; row < learners.recordCount() && counts.learners < assessed; ++row) {
        const qint64 learner = learners.value(row, QStringLiteral("ID")).toLongLong();
        writer.assess(learner, year - 1);
        ++counts.learners;
        if (learners.text(row, QStringLiteral("Status")) == QLatin1String("C") && currentAssessed++ % 3 == 0) {
            writer.assess(learner, year);
            ++counts.thisYear;
        }
    }
    transaction.commit();
    counts.rows = writer.rows();
    return counts;
}

} // namespace DemoAssessments
