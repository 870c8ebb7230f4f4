#include "DemoAssessments.h"

#include "AssessmentSupportScreens.h"
#include "Connection.h"
#include "CriteriaScreens.h"
#include "DemoSequence.h"
#include "LookupContents.h"
#include "OverallRating.h"
#include "TextRoutines.h"

#include <QMap>
#include <QStringList>
#include <QVector>

// Every value written here is one a section screen shows and would store
// itself, in the form it stores it: opening a screen on a demo learner and
// saving it without an edit leaves the demo as it was.

namespace {

// A text as the screens' statements write it: through SqlText, so an empty
// text is stored as the single blank the screens store for it.
QString quoted(const QString &text)
{
    return QLatin1Char('\'') + SqlText(text) + QLatin1Char('\'');
}

QString number(int value)
{
    return QString::number(value);
}

// Its own seed: the assessments never change the school's learners.
using Sequence = DemoSequence;

// Lines of the strategy grid take 60 characters, its level one letter
// (L, M or H); the grid has six kinds of support with five lines each.
constexpr int StrategyKinds = 6;
constexpr int StrategyLinesPerKind = 5;

// The levels the school request offers in its level cells.
const QStringList &schoolRequestLevels()
{
    static const QStringList levels = {QStringLiteral("LOW"), QStringLiteral("MODERATE"), QStringLiteral("HIGH LEVEL")};
    return levels;
}

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

const QStringList &healthComments()
{
    static const QStringList list = {
        QStringLiteral("Seen by the clinic sister; report on file."),
        QStringLiteral("Hearing tested at St Mary's Hospital; hearing aid fitted."),
        QStringLiteral("Epilepsy controlled with daily medication."),
        QStringLiteral("Needs glasses; eye test booked for next term."),
        QStringLiteral("Occupational therapist's report attached."),
    };
    return list;
}

// One condition per level of the "other medical conditions" row.
const QStringList &otherConditions()
{
    static const QStringList list = {
        QStringLiteral("Mild asthma, controlled with an inhaler."),
        QStringLiteral("Diabetes; needs a snack and an insulin check at break."),
        QStringLiteral("Heart condition; no strenuous physical education."),
    };
    return list;
}

// A few entries of a list in a row, starting anywhere, never the same twice.
QStringList someOf(Sequence &random, const QStringList &list, int count)
{
    QStringList chosen;
    const int start = random.next(int(list.size()));
    for (int i = 0; i < count && i < list.size(); ++i)
        chosen << list.at((start + i) % list.size());
    return chosen;
}

struct FactorList
{
    const char *table;
    const char *enablingColumn;
    QStringList enabling;
    QStringList barriers;
};

const QVector<FactorList> &factorLists()
{
    static const QVector<FactorList> lists = {
        {"SNE_Factors_Community", "Positive_Influence",
         {QStringLiteral("Church youth group"), QStringLiteral("Soccer club"), QStringLiteral("Grandmother helps with homework"),
          QStringLiteral("Home based care worker visits weekly")},
         {QStringLiteral("Long walk to school"), QStringLiteral("Poverty at home"), QStringLiteral("Father absent")}},
        {"SNE_Factors_Classroom", "Enabling_Factor",
         {QStringLiteral("Small reading group"), QStringLiteral("Patient class teacher"), QStringLiteral("Peer buddy")},
         {QStringLiteral("Noisy classroom"), QStringLiteral("45 learners in the class"), QStringLiteral("Few readers in home language")}},
        {"SNE_Factors_School", "Enabling_Factor",
         {QStringLiteral("Library period"), QStringLiteral("Learning support educator on site"), QStringLiteral("Feeding scheme")},
         {QStringLiteral("No ramp at the hall"), QStringLiteral("Toilets far from the classroom")}},
    };
    return lists;
}

struct IspLine
{
    const char *target;
    const char *strategy;
    const char *criteria;
    const char *person;
};

// One planned action per group of the support plan (actions 1 to 5).
const IspLine IspLines[5][2] = {
    {{"Quiet reading corner in every Foundation Phase class", "Mats and readers from the book drive", "Corners in use daily", "Principal"},
     {"Ramp at the hall entrance", "Ask the governing body for funds", "Ramp built", "School governing body"}},
    {{"Teachers use differentiated worksheets", "Workshop by the learning support educator", "Worksheets in lesson plans", "HOD Foundation Phase"},
     {"Class teacher trained in sign support", "District course, three Saturdays", "Certificate of attendance", "Class teacher"}},
    {{"Read a grade-level text", "Paired reading three times a week", "Reads 60 words a minute", "Class teacher"},
     {"Complete written tasks in class", "Shorter tasks and a writing frame", "Hands in four of five tasks", "Class teacher"}},
    {{"Parents read with the learner at home", "Monthly meeting with the parents", "Reading log signed weekly", "ILST coordinator"},
     {"Grandmother attends the support meetings", "Meetings set after working hours", "Attends every meeting", "Class teacher"}},
    {{"Assessment by the educational psychologist", "Referral through the DBST", "Report received", "DBST coordinator"},
     {"Hearing aid serviced", "Referral to the audiologist", "Hearing aid working", "DBST therapist"}},
};

// The school request's texts per support area: what the school has, what it needs.
const char *const SchoolHas[5][2] = {
    {"Learning support educator twice a week", "Class assistant in Grade 1"},
    {"Large-print readers", "One FM system"},
    {"Adapted worksheets", "Extra time in tests"},
    {"Two teachers trained in inclusive education", "Monthly ILST meeting"},
    {"Ramp at the main building", "Adapted toilet"},
};
const char *const SchoolNeeds[5][2] = {
    {"Full-time teacher assistant", "Counsellor one day a week"},
    {"Assistive reading device", "Hearing aid batteries"},
    {"Reader and scribe for assessments", "Braille materials"},
    {"Training on ADHD in the classroom", "Sign language course"},
    {"Ramp at the hall", "Handrails in the corridor"},
};

// The strategy lines per kind of support (each text within 60 characters).
struct StrategyLine
{
    const char *needed;
    const char *schoolSteps;
    const char *learnerSteps;
    const char *person;
};
const StrategyLine StrategyLines[StrategyKinds] = {
    {"Learning support educator", "Timetable two periods a week", "Attends the support periods", "Principal"},
    {"Assistive reading device", "Order the device through the DBST", "Uses the device in every lesson", "Mrs Dlamini"},
    {"Access to speech therapy", "Book the therapist's school visits", "Practises exercises at home", "ILST coordinator"},
    {"Training on reading barriers", "Send two teachers to the course", "Benefits from adapted lessons", "HOD Foundation Phase"},
    {"Ramp and support rails", "Ask the district for building funds", "Moves about the school alone", "School governing body"},
    {"Child support grant", "Help the family apply", "Comes to school fed and in uniform", "Social worker"},
};

class Writer
{
public:
    Writer(Connection &connection, Sequence &sequence) : m_connection(connection), m_random(sequence) {}

    qint64 rows() const { return m_rows; }

    void assess(qint64 learner, qint32 year)
    {
        m_learner = QString::number(learner);
        m_year = QString::number(year);
        background();
        healthReport();
        criteria(learner);
        barriers();
        factors();
        supportPlan(year);
        learnerNeeds();
        const QMap<int, int> ratings = supportLevels();
        schoolRequest(ratings);
        ilstRecord();
        reviewRow();
        strategy(ratings);
        actionReview(year);
    }

private:
    void background()
    {
        insert(QStringLiteral("SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, Name_Of_Provider, "
                              "Contact_Details, Family_Situation, Parent_Understanding_Of_Child, Data_Year)"),
               {m_learner, quoted(m_random.pick({QStringLiteral("Remedial reading"), QStringLiteral("Speech therapy"),
                                                  QStringLiteral("Occupational therapy"), QStringLiteral("Counselling")})),
                quoted(m_random.pick(providers())),
                quoted(QStringLiteral("012 %1 %2").arg(300 + m_random.next(600)).arg(1000 + m_random.next(9000))),
                quoted(m_random.pick(phrases())), quoted(m_random.pick(phrases())), m_year});
    }

    // Temporary or permanent, as the two tick boxes store it; the record is
    // attached only when it was viewed.
    void healthReport()
    {
        const int viewed = m_random.chance(80) ? 1 : 0;
        const int attached = viewed && m_random.chance(60) ? 1 : 0;
        insert(QStringLiteral("SNE_Health_Professional_Report (LearnerID, Impairment_Type, Medical_Record_Viewed, "
                              "Medical_Record_Attached, Comments, Data_Year)"),
               {m_learner, quoted(m_random.chance(30) ? QStringLiteral("TEMP") : QStringLiteral("PERM")), number(viewed),
                number(attached), quoted(m_random.pick(healthComments())), m_year});
        // The areas of impairment are not stored: the health report works
        // them out from the criteria scores each time it opens.
    }

    // A score for every sub-section a criteria screen has a row for; whole
    // domains mostly share a score, so the score summary shows words as
    // well as "N/A". The "other medical conditions" row holds its text in
    // the column of its score.
    void criteria(qint64 learner)
    {
        QMap<int, int> domainOf;
        for (const ActivitySubSection &subSection : activitySubSections())
            domainOf.insert(subSection.id, subSection.activityDomain);
        bool hasOtherRow = false;
        for (const CriteriaScreens::Member &member : CriteriaScreens::members()) {
            hasOtherRow = hasOtherRow || member.otherRow();
            for (const CriteriaScreens::Row &row : member.rows) {
                if (row.kind != CriteriaScreens::RowKind::Item)
                    continue;
                const int base = 1 + int((learner + domainOf.value(row.subSection)) % 3);
                const int score = m_random.next(5) == 0 ? 1 + m_random.next(3) : base;
                insert(QStringLiteral("SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year)"),
                       {m_learner, number(row.subSection), number(score), m_year});
            }
        }
        if (!hasOtherRow)
            return;
        const int level = 1 + m_random.next(3);
        QStringList texts = {QString(), QString(), QString()};
        texts[level - 1] = otherConditions().at(level - 1);
        insert(QStringLiteral("SNE_Criteria_For_Selection_Other (LearnerID, None_Mild, Moderate, Severe, Score, Data_Year)"),
               {m_learner, quoted(texts[0]), quoted(texts[1]), quoted(texts[2]), number(level), m_year});
    }

    void barriers()
    {
        insert(QStringLiteral("SNE_Learning_And_Development_Barriers (LearnerID, Learning, Communication, "
                              "Behavioural_Social_Competence, Health_Wellness_Personal_Care, Physical_Access, Data_Year)"),
               {m_learner, quoted(m_random.pick(phrases())), quoted(m_random.pick(phrases())), quoted(m_random.pick(phrases())),
                quoted(m_random.pick(phrases())), quoted(m_random.pick(phrases())), m_year});
    }

    // Each factor list fills its two columns from the top, one entry at a
    // time, as the Add button does: a row holds an enabling factor, a
    // barrier or both, and a column left short is empty below its last entry.
    void factors()
    {
        for (const FactorList &list : factorLists()) {
            const QStringList enabling = someOf(m_random, list.enabling, 1 + m_random.next(2));
            const QStringList barriers = someOf(m_random, list.barriers, m_random.next(3));
            for (int i = 0; i < qMax(enabling.size(), barriers.size()); ++i) {
                insert(QStringLiteral("%1 (LearnerID, %2, Barrier, Data_Year)")
                           .arg(QString::fromLatin1(list.table), QString::fromLatin1(list.enablingColumn)),
                       {m_learner, quoted(enabling.value(i)), quoted(barriers.value(i)), m_year});
            }
        }
    }

    // One or two planned actions per group; the review date as the date cell
    // holds it (dd/MM/yyyy).
    void supportPlan(qint32 year)
    {
        for (int action = 1; action <= 5; ++action) {
            for (int i = 0, n = 1 + m_random.next(2); i < n; ++i) {
                const IspLine &line = IspLines[action - 1][i];
                insert(QStringLiteral("SNE_ISP (LearnerID, [Action], Target, Strategy, Achievement_Criteria, Person_Responsible, "
                                      "Review_Date, Review_Comments, Data_Year)"),
                       {m_learner, number(action), quoted(QString::fromLatin1(line.target)),
                        quoted(QString::fromLatin1(line.strategy)), quoted(QString::fromLatin1(line.criteria)),
                        quoted(QString::fromLatin1(line.person)),
                        quoted(QStringLiteral("%1/%2/%3").arg(10 + m_random.next(19)).arg(3 + 3 * m_random.next(3), 2, 10, QLatin1Char('0')).arg(year)),
                        quoted(m_random.chance(50) ? QStringLiteral("On track") : QString()), m_year});
            }
        }
    }

    // The first rating screen's disability description and psycho-social support.
    void learnerNeeds()
    {
        insert(QStringLiteral("SNE_Learner_Supp_Needs (LearnerID, Disability_Descr, Psycho_Social_Support, Data_Year)"),
               {m_learner, quoted(m_random.pick(phrases())), quoted(QStringLiteral("Weekly counselling")), m_year});
    }

    // Levels only in the cells the rating screens can rate, from their level
    // list; a learner's needs in one area of support stay close to each
    // other. The overall ratings follow from the levels by the screens' rule.
    QMap<int, int> supportLevels()
    {
        using namespace AssessmentSupportScreens;
        const QStringList levels = levelChoices();
        int need[AreaCount + 1] = {};
        for (int area = 1; area <= AreaCount; ++area)
            need[area] = 1 + m_random.next(5);
        OverallRating overall;
        for (const Member &member : members()) {
            for (const Item &item : member.items) {
                for (const int area : item.areas) {
                    if (m_random.chance(15))
                        continue;   // left empty
                    const QString level = m_random.chance(10)
                        ? levels.last()   // N/A
                        : levels.at(qBound(1, need[area] + m_random.next(3) - 1, 5) - 1);
                    overall.addLevel(area, level);
                    insert(QStringLiteral("SNE_Assessment_Supp_Req (LearnerID, GridID, Support_Area, [Level], Data_Year)"),
                           {m_learner, number(item.gridId), number(area), quoted(level), m_year});
                }
            }
        }
        const QMap<int, int> ratings = overall.ratings();
        for (auto it = ratings.constBegin(); it != ratings.constEnd(); ++it)
            insert(QStringLiteral("SNE_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, Data_Year)"),
                   {m_learner, number(it.key()), number(it.value()), m_year});
        return ratings;
    }

    // The school request carries each area's overall rating over as its
    // level: 1 and 2 low, 3 moderate, 4 and 5 high.
    static QString requestLevel(int rating)
    {
        return schoolRequestLevels().at(rating <= 2 ? 0 : rating == 3 ? 1 : 2);
    }

    void schoolRequest(const QMap<int, int> &ratings)
    {
        for (int area = 1; area <= AssessmentSupportScreens::AreaCount; ++area) {
            const QString level = requestLevel(ratings.value(area, 1));
            for (int i = 0, n = 1 + m_random.next(2); i < n; ++i) {
                insert(QStringLiteral("SNE_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, School_Need, "
                                      "School_Available, Data_Year)"),
                       {m_learner, number(area), quoted(level), quoted(QString::fromLatin1(SchoolNeeds[area - 1][i])),
                        quoted(QString::fromLatin1(SchoolHas[area - 1][i])), m_year});
            }
        }
    }

    void ilstRecord()
    {
        const int endorsed = m_random.next(2);
        insert(QStringLiteral("SNE_ILST_Intervention_Records (LearnerID, Whole_School_Development, Educator_Training, "
                              "Learner_Support, Learner_Parent_Discussed, Learner_Parent_Response, ILST_Analysis_To_DBST, "
                              "Principal_Approve_Request_DBST, Principal_Reason, Circuit_Manager_Endores, Circuit_Manager_Reason, Data_Year)"),
               {m_learner, quoted(m_random.pick(phrases())), quoted(QStringLiteral("Workshop on differentiated teaching")),
                quoted(m_random.pick(phrases())), number(m_random.next(2)), quoted(QStringLiteral("Parents agreed")),
                quoted(m_random.pick(phrases())), QStringLiteral("1"),
                quoted(QStringLiteral("The school has done what it can; the learner needs the district's support.")),
                number(endorsed),
                quoted(endorsed ? QStringLiteral("Endorsed.") : QStringLiteral("First try the support the school has.")),
                m_year});
    }

    // The review row the three Section 4 pages share: a reason only for a
    // parent who does not accept, the site level 1 to 3 (one tick).
    void reviewRow()
    {
        const int accepts = m_random.chance(75) ? 1 : 0;
        insert(QStringLiteral("SNE_DBST_Review_ILST_Request (LearnerID, ISLT_Coord_Educ_Req_Made, Parent_Accept_Recom, "
                              "Parent_Reason, ISLT_Approved_Reason, ISLT_Not_Approved_Reason, DBST_Support_School_Site, "
                              "Senior_Manager_Approval, School_Discussed_Parent, School_Discussed_Comment, Data_Year)"),
               {m_learner, QStringLiteral("1"), number(accepts),
                quoted(accepts ? QString() : QStringLiteral("Parents want the learner to stay in the class of his friends.")),
                quoted(m_random.pick(phrases())), quoted(QString()), number(1 + m_random.next(3)),
                quoted(QStringLiteral("Approved")), QStringLiteral("1"),
                quoted(QStringLiteral("Discussed at the parent meeting")), m_year});
    }

    // Strategy lines, each in a slot of its own within its kind's block of
    // five, in the columns the strategy grid stores: its "Timeframe" column
    // in Budget, its "Budget" column in Timeframe. The outcomes, designation
    // and review date are shown by no screen and stay unset.
    void strategy(const QMap<int, int> &ratings)
    {
        static const QStringList timeframes = {QStringLiteral("One term"), QStringLiteral("Two terms"),
                                               QStringLiteral("Six months"), QStringLiteral("One year")};
        const int first = m_random.next(StrategyKinds);
        for (int i = 0, n = 1 + m_random.next(3); i < n; ++i) {
            const int kind = (first + i) % StrategyKinds;
            const int slot = kind * StrategyLinesPerKind + 1;
            const StrategyLine &line = StrategyLines[kind];
            // The five areas of support are the first five kinds.
            const QString level = requestLevel(ratings.value(kind + 1, 1 + m_random.next(5))).left(1);   // L, M or H
            insert(QStringLiteral("SNE_DBST_Support_Strategy (LearnerID, Support_Area, Support_Needed, Support_Level, "
                                  "School_Steps, Learner_Steps, Person_Responsible, Budget, Timeframe, Data_Year)"),
                   {m_learner, number(slot), quoted(QString::fromLatin1(line.needed)),
                    quoted(level),
                    quoted(QString::fromLatin1(line.schoolSteps)), quoted(QString::fromLatin1(line.learnerSteps)),
                    quoted(QString::fromLatin1(line.person)), quoted(m_random.pick(timeframes)),
                    quoted(QStringLiteral("R %1").arg(500 + 100 * m_random.next(50))), m_year});
        }
    }

    // Review lines numbered from 1, the date as the date cell holds it.
    void actionReview(qint32 year)
    {
        for (int i = 0, n = 1 + m_random.next(3); i < n; ++i) {
            insert(QStringLiteral("SNE_Action_Review (LearnerID, [Action], Name, Outcome, Designation, Review_Date, Data_Year)"),
                   {m_learner, number(1 + i), quoted(m_random.pick({QStringLiteral("Mr Botha"), QStringLiteral("Ms Khumalo")})),
                    quoted(m_random.pick(phrases())), quoted(QStringLiteral("ILST coordinator")),
                    quoted(QStringLiteral("%1/11/%2").arg(10 + 10 * i).arg(year)), m_year});
        }
    }

    void insert(const QString &tableAndColumns, const QStringList &values)
    {
        m_connection.execute(QStringLiteral("INSERT INTO ") + tableAndColumns + QStringLiteral(" VALUES (")
                             + values.join(QLatin1Char(',')) + QLatin1Char(')'));
        ++m_rows;
    }

    Connection &m_connection;
    Sequence &m_random;
    QString m_learner;
    QString m_year;
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
