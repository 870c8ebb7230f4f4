#include "CriteriaScreens.h"

#include "CriteriaSelection.h"
#include "HealthReport.h"
#include "ScreenFamily.h"
#include "Stage1Screens.h"

namespace CriteriaScreens {

namespace {

// A line break inside one cell text, as the stored and printed forms carry it.
const QString Br = QStringLiteral("\r\n");
const QString Quote = QStringLiteral("\"");

QString quoted(const QString &question)
{
    return Quote + question + Quote;
}

Row domain(int row, const QString &name, const QString &question)
{
    Row r;
    r.row = row;
    r.kind = RowKind::Domain;
    r.title = name;
    r.question = question;
    return r;
}

Row item(int row, int subSection, const QString &title, const QString &mild, const QString &moderate,
         const QString &severe)
{
    Row r;
    r.row = row;
    r.kind = RowKind::Item;
    r.title = title;
    r.subSection = subSection;
    r.mild = mild;
    r.moderate = moderate;
    r.severe = severe;
    return r;
}

// An item whose limitation texts are the sub-section's level descriptions of
// the lookup contents, so the two never drift apart.
Row lookupItem(int row, int subSection, const QString &title)
{
    Row r = item(row, subSection, title, QString(), QString(), QString());
    r.lookupTexts = true;
    return r;
}

Row information(int row, const QString &text)
{
    Row r;
    r.row = row;
    r.kind = RowKind::Information;
    r.title = text;
    return r;
}

Row separator(int row)
{
    Row r;
    r.row = row;
    r.kind = RowKind::Separator;
    return r;
}

Row other(int row, const QString &title)
{
    Row r;
    r.row = row;
    r.kind = RowKind::Other;
    r.title = title;
    return r;
}

Member mobility()
{
    Member m;
    m.name = QStringLiteral("frmCriteriaSelection1");
    m.rowCount = 8;
    m.condition = QStringLiteral(" AND Sub_Section < 6");
    m.cursorRow = 3;
    m.rows = {
        domain(2, QStringLiteral("MOBILITY"),
               QStringLiteral("Can the child move his/her body, arms and legs freely and move around inside and outside of the home?")),
        lookupItem(3, 1, QStringLiteral("Transfer")),
        lookupItem(4, 2, QStringLiteral("Moving from one body position to another")),
        item(5, 3, QStringLiteral("Getting in and out of bed and/or chair (moving from one surface to another)"),
             QStringLiteral("Moves around without any difficulty, or slow, but manages without discomfort."),
             QStringLiteral("Manages if holding onto something stable, or assisted."),
             QStringLiteral("Unable to manage alone.")),
        lookupItem(6, 4, QStringLiteral("Walking/wheel-chair")),
        item(7, 5, QStringLiteral("Stairs, or lift (if using wheelchair)"),
             QStringLiteral("No difficulty, or manages given time."),
             QStringLiteral("Manages, but is slow and must stop to rest or be helped."),
             QStringLiteral("Unable to climb steps or use a lift.")),
        separator(8),
    };
    return m;
}

Member selfCare()
{
    Member m;
    m.name = QStringLiteral("frmCriteriaSelection2");
    m.rowCount = 9;
    m.condition = QStringLiteral(" AND Sub_Section > 5 AND Sub_Section < 12");
    m.cursorRow = 3;
    m.rows = {
        domain(2, QStringLiteral("SELF CARE"),
               QStringLiteral("Can the child manage his/her own self care activities e.g eating, getting dressed etc?")),
        item(3, 6, QStringLiteral("Dressing:") + Br + QStringLiteral("Upper body"),
             QStringLiteral("Manages most; may ask for help with buttons or zip fastenings. Can undress."),
             QStringLiteral("Needs help with underwear; fastenings and tie; or tries but not always successful."),
             QStringLiteral("Attempts to put on shirt or jersey but does not usually manage.")),
        lookupItem(4, 7, QStringLiteral("Lower Body")),
        item(5, 8, QStringLiteral("Washing"),
             QStringLiteral("Manages in reasonable time; or occasional help."),
             QStringLiteral("Manages partly but not hair or feet."),
             QStringLiteral("Assist with washing face and upper body; or cannot do this alone.")),
        lookupItem(6, 9, QStringLiteral("Feeding")),
        item(7, 10, QStringLiteral("Use of toilet"),
             QStringLiteral("Manages independently; needs occasional help."),
             QStringLiteral("Requires help with handling paper and/or sanitary aids."),
             QStringLiteral("Cannot do personal hygiene associated with toileting.")),
        item(8, 11, QStringLiteral("Bowel and Bladder Control"),
             QStringLiteral("No problem or might lapse occasionally."),
             QStringLiteral("Loses control occasionally; bowel control; no bladder control or vise-versa; uses aids; social embarrassment."),
             QStringLiteral("Needs to be reminded regularly; or incontinent.")),
        separator(9),
    };
    return m;
}

Member communication()
{
    Member m;
    m.name = QStringLiteral("frmCriteriaSelection3");
    m.rowCount = 6;
    m.condition = QStringLiteral(" AND Sub_Section > 11 AND Sub_Section < 15");
    m.cursorRow = 3;
    m.rows = {
        domain(2, QStringLiteral("COMMUNICATION"),
               QStringLiteral("Can the child understand what people are saying to him/her and is he/she able to express himself/herself in a way that others understand?")),
        item(3, 12,
             QStringLiteral("Understand:") + Br
                 + quoted(QStringLiteral("Can the child understand what other people are saying in his/her family or with friends and neighbours"))
                 + QStringLiteral(" ?"),
             QStringLiteral("Understands everything that is said or misses just a few meanings."),
             QStringLiteral("Able to understand basic, simple sentences."),
             QStringLiteral("Unable to understand any meaningful language.")),
        item(4, 13,
             QStringLiteral("Producing language:") + Br
                 + quoted(QStringLiteral("Can he/she make him/herself understood by others who know him/her as well as strangers"))
                 + QStringLiteral("?"),
             QStringLiteral("Person is generally intelligent at the level of articulation, grammer and meaning."),
             QStringLiteral("Able to produce basic, simple sentences."),
             QStringLiteral("Difficulty due to severe disturbance or no voluntary control of speech muscles (dysarthria) or has no voice due to structural impairment ( e.g laryngectomy, tracheotomy, tracheostoma).")),
        item(5, 14,
             QStringLiteral("Initiating and maintaining a conversation:") + Br
                 + quoted(QStringLiteral("Can you have a meaningful conversation with others who know you or with strangers"))
                 + QStringLiteral("?"),
             QStringLiteral("Can hold a meaningful conversation."),
             QStringLiteral("Can initiate and maintain a conversation about familiar subjects with some assistance from listener; Frequent failure to convey idea."),
             QStringLiteral("Fragmentary expression with great need for inference, questioning and guessing by listener; Can engage only with alternative, augmentative communication.")),
        separator(6),
    };
    return m;
}

Member visionHearing()
{
    Member m;
    m.name = QStringLiteral("frmCriteriaSelection4");
    m.rowCount = 9;
    m.condition = QStringLiteral(" AND Sub_Section > 14 AND Sub_Section < 18");
    m.cursorRow = 4;
    m.rows = {
        domain(2, QStringLiteral("VISION"),
               QStringLiteral("This domain must be assessed through a vision test + observation + asking of questions.")),
        information(3, QStringLiteral("Classification of Visual impairment after maximum correction") + Br
                           + QStringLiteral("6/24 - 6/36 = moderate") + Br
                           + QStringLiteral("6/60 - 3/60 in the better eye = severe") + Br
                           + QStringLiteral("< 3/60 in the better eye, after maximum correction = blind")),
        item(4, 15,
             QStringLiteral("Visual acuity e.g. ability to identify objects and shapes at close range and distance; thread a needle") + Br
                 + quoted(QStringLiteral("Can you see well enough to recognise people and objects")) + QStringLiteral("?"),
             QStringLiteral("Some difficulty that is resolved with use of Spectacles;"),
             QStringLiteral("Recognises familliar person across the street; Can see to read and write (incl. learning these skills); ") + Br
                 + QStringLiteral("Can manage to get around in a low lit area."),
             QStringLiteral("Cannot recognise any object at arm's length; familliar person across the street; Unable to read or write;  Cannot get around other than in familliar places.")),
        separator(5),
        // The form gives no guiding text for this domain; it is worded like
        // the vision domain's, which is assessed the same way.
        domain(6, QStringLiteral("HEARING"),
               QStringLiteral("This domain must be assessed through a hearing test + observation + asking of questions.")),
        information(7, QStringLiteral("Decibel loss") + Br
                           + QStringLiteral(">31dB persons under the age of 15 = Moderate") + Br
                           + QStringLiteral(">41dB persons 15 years and older = Moderate") + Br
                           + QStringLiteral(">61dB at 0,5; 1; 2 and 4KHz in the better ear = Severe")),
        item(8, 16,
             QStringLiteral("Sound recognition") + Br + QStringLiteral("e.g words; nature; warning sounds ")
                 + quoted(QStringLiteral("Can you hear any noise nearby? If so, what is It?")),
             QStringLiteral("Hears sounds and can usually identify them correctly."),
             QStringLiteral("Cannot always localise sounds or hear warnings e.g alarm ringing; traffic."),
             QStringLiteral("Severe difficulty or complete inability to hear warning sounds.")),
        item(9, 17,
             QStringLiteral("Following a conversation in noise.e.g subject and general content of conversation with more than one person, and at varying distances") + Br
                 + quoted(QStringLiteral("Are you able to hear and understand when people speak to you?")),
             QStringLiteral("Follows conversation with one person and more than one if speech is clear even if there is some noise."),
             QStringLiteral("Some difficulty in oral communication because of impairment especially if there is some noise and/or in a group; uses lip-reading."),
             QStringLiteral("Conversation very limited or not possible except with one other person in a quiet room with good lighting; relies heavily on lip-reading.")),
    };
    return m;
}

Member mentalStatus()
{
    Member m;
    m.name = QStringLiteral("frmCriteriaSelection5");
    m.rowCount = 6;
    m.condition = QStringLiteral(" AND Sub_Section > 17 AND Sub_Section < 22");
    m.cursorRow = 3;
    m.rows = {
        domain(2, QStringLiteral("MENTAL-PSYCHIATRIC STATUS"),
               QStringLiteral("This domain must be assessed by a psychologist or psychiatrist, considering psychological, social, and occupational functioning on a hypothetical continuum of mental health-illness. Do not include impairment in functioning due to physical (or environmental) limitations.")),
        lookupItem(3, 18, QStringLiteral("Interpersonal interactions and relationships")),
        lookupItem(4, 19, QStringLiteral("Basic interpersonal interactions")),
        item(5, 20, QStringLiteral("Family relationships"),
             QStringLiteral("Effective, generally satisfied with life, no more than everyday problems or concerns (e.g an occasional argument with family members)."),
             QStringLiteral("Has regular friction and conflict with family. Struggle to sort out problems in the family and becomes moody and withdrawn."),
             QStringLiteral("Some impairment in reality testing or communication (e.g speech is at times illogical, obscure, or irrelevant) OR major impairment in several areas, such as work or school family realations, judgement, thinking, or mood (e.g depressed avoids friends, neglets family, and is unable to work, child frequently beats younger children, is defiant at home and is failling at school).")),
        lookupItem(6, 21, QStringLiteral("Handling stress and other psychological demands")),
    };
    return m;
}

Member cognitionHealth()
{
    Member m;
    m.name = QStringLiteral("frmCriteriaSelection6");
    m.rowCount = 12;
    m.condition = QStringLiteral(" AND Sub_Section > 21");
    m.cursorRow = 3;
    m.rows = {
        domain(2, QStringLiteral("COGNITION"),
               QStringLiteral("This domain is assessed with practical examples. Each provides a way of scoring to facilitate a decision about severity. DBST staff could assist with further verification.")),
        item(3, 22,
             QStringLiteral("Problem solving") + Br
                 + QStringLiteral("e.g simple task that needs solution or explanation ")
                 + quoted(QStringLiteral("Listen to this puzzle and see if you can think of a way to solve it")) + QStringLiteral("."),
             QStringLiteral("Able to solve the problem; or, had the right idea; score between 8 and 10"),
             QStringLiteral("Didn't get the answer, even with one prompt, but went about solving the puzzle in a systematic way; score between 5 and 7."),
             QStringLiteral("Unable to solve the problem, even with two prompts; score between 0 and 4.")),
        item(4, 23,
             QStringLiteral("Memory e.g short and long-term recall of events and personal details. ")
                 + quoted(QStringLiteral("How many objects that you saw in the picture card can you remember?")),
             QStringLiteral("Fairly good recall: 12/15"),
             QStringLiteral("Moderate recall: 9/15") + Br + QStringLiteral("One prompt."),
             QStringLiteral("Poor recall: Less than 7") + Br + QStringLiteral("Two prompts.")),
        separator(5),
        // The form gives no guiding text for this domain; it is worded like
        // the other domains' instructions, after the sources it is judged from.
        domain(6, QStringLiteral("HEALTH CARE NEEDS"),
               QStringLiteral("This domain must be assessed from the medical records and the health professional's report + asking of questions.")),
        item(7, 24, QStringLiteral("Chronic illness"),
             QStringLiteral("Does not affect school attendance and participation."),
             QStringLiteral("Occasional absence from school, needs frequent rest periods."),
             QStringLiteral("Frequent absence due to hospitalisation or illness.")),
        item(8, 25, QStringLiteral("Medication needed"),
             QStringLiteral("Can be administered by educator."),
             QStringLiteral("Should be administered by health practitioner."),
             QStringLiteral("Requires medical practitioner or senior nurse.")),
        item(9, 26, QStringLiteral("Surgery undergone"),
             QStringLiteral("Educator can support by reducing work load."),
             QStringLiteral("Should be monitored by health practitioner."),
             QStringLiteral("Should frequently be monitored by medical practitioner or senior nurse.")),
        item(10, 27, QStringLiteral("Surgery still to be undergone"),
             QStringLiteral("Does not affect school attendance and participation."),
             QStringLiteral("Occasional absence from school, needs frequent rest periods."),
             QStringLiteral("Frequent absence due to hospitalisation or illness.")),
        item(11, 28, QStringLiteral("Allergies"),
             QStringLiteral("Can be monitored by ordinary educator."),
             QStringLiteral("Should be monitored by health practitioner."),
             QStringLiteral("Intervention may be required from medical practitioner or senior nurse.")),
        other(12, QStringLiteral("Other medical conditions")),
    };
    return m;
}

} // namespace

const Row *Member::otherRow() const
{
    for (const Row &r : rows)
        if (r.kind == RowKind::Other)
            return &r;
    return nullptr;
}

int Member::rowOfSubSection(int subSection) const
{
    for (const Row &r : rows)
        if (r.kind == RowKind::Item && r.subSection == subSection)
            return r.row;
    return 0;
}

const QVector<Member> &members()
{
    static const QVector<Member> all = {mobility(), selfCare(), communication(), visionHearing(),
                                        mentalStatus(), cognitionHealth()};
    return all;
}

const Member *member(const QString &name)
{
    return ScreenFamily::find(members(), name);
}

QStringList columnTitles()
{
    return {QStringLiteral("ACTIVITY DOMAIN"),
            QStringLiteral("NONE or MILD") + Br + QStringLiteral("limitation"),
            QStringLiteral("MODERATE") + Br + QStringLiteral("impairment / activity limitation"),
            QStringLiteral("SEVERE impairment / activity limitation"),
            QStringLiteral("SCORE")};
}

} // namespace CriteriaScreens

void registerDiagnosticProfileScreens(ScreenRegistry &registry)
{
    registry.add(QStringLiteral("frmHealthReport"),
                 [](QWidget *parent) -> SectionScreen * { return new frmHealthReport(parent); });
    ScreenFamily::registerMembers<frmCriteriaSelection>(registry, CriteriaScreens::members());
    registry.addChain(QStringList{QStringLiteral("frmHealthReport")} + ScreenFamily::names(CriteriaScreens::members()));
}
