#include "LookupContents.h"

// Texts are stored exactly as the assessment forms print them, their spelling
// included: schools' earlier records and printed forms carry these very words.

const QVector<ImpairmentArea> &impairmentAreas()
{
    static const QVector<ImpairmentArea> areas = {
        {1, QStringLiteral("Mobility")},
        {2, QStringLiteral("Self-care")},
        {3, QStringLiteral("Communication")},
        {4, QStringLiteral("Vision")},
        {5, QStringLiteral("Hearing")},
        {6, QStringLiteral("Mental-psychiatric diagnosis")},
        {7, QStringLiteral("Cognition")},
        {8, QStringLiteral("Health care needs")},
    };
    return areas;
}

const QVector<ActivitySubSection> &activitySubSections()
{
    static const QVector<ActivitySubSection> subSections = {
        {1, 1, QStringLiteral("Transfer")},
        {2, 1, QStringLiteral("Moving from one body position to another")},
        {3, 1, QStringLiteral("Getting in and out of bed")},
        {4, 1, QStringLiteral("Walking/wheelchair")},
        {5, 1, QStringLiteral("Stairs or lift")},
        {6, 2, QStringLiteral("Dressing: Upper body")},
        {7, 2, QStringLiteral("Dressing: Lower body")},
        {8, 2, QStringLiteral("Washing")},
        {9, 2, QStringLiteral("Feeding")},
        {10, 2, QStringLiteral("Use the toilet")},
        {11, 2, QStringLiteral("Bowel and Bladder Control")},
        {12, 3, QStringLiteral("Understanding")},
        {13, 3, QStringLiteral("Producing language")},
        {14, 3, QStringLiteral("Initiating and maintaining a conversation")},
        {15, 4, QStringLiteral("Visual acuity")},
        {16, 5, QStringLiteral("Sound recognition")},
        {17, 5, QStringLiteral("Following a conversation in noise")},
        {18, 6, QStringLiteral("Interpersonal interactions and relationships")},
        {19, 6, QStringLiteral("Basic interpersonal interactions")},
        {20, 6, QStringLiteral("Family relationships")},
        {21, 6, QStringLiteral("Handling stress and other psychological demands")},
        {22, 7, QStringLiteral("Problem solving")},
        {23, 7, QStringLiteral("Memory")},
        {24, 8, QStringLiteral("Chronic illness")},
        {25, 8, QStringLiteral("Medication needed")},
        {26, 8, QStringLiteral("Surgery undergone")},
        {27, 8, QStringLiteral("Surgery still to be undergone")},
        {28, 8, QStringLiteral("Allergies")},
        {29, 8, QStringLiteral("Other")},
    };
    return subSections;
}

const QVector<IspAction> &ispActions()
{
    static const QVector<IspAction> actions = {
        {1, QStringLiteral("Whole school development intervention")},
        // The trailing blank is part of the stored text.
        {2, QStringLiteral("Educator training or other educator support to be given ")},
        {3, QStringLiteral("Learner support to be given")},
        {4, QStringLiteral("Consultation with parents/caregivers")},
        {5, QStringLiteral("Support to be provided by DBST")},
    };
    return actions;
}

namespace {

// Index 0 is sub-section 1. Line breaks inside a text are CR LF, as the
// criteria grids show them.
const QVector<LimitDescription> &limitDescriptions()
{
    static const QVector<LimitDescription> descriptions = {
        // 1
        {QStringLiteral("No difficulty, or may need help occasionally."),
         QStringLiteral("Can move, but must be assisted, is slow, or gets very tired."),
         QStringLiteral("Unable to move alone")},
        // 2
        {QStringLiteral("No difficulty, or may need help occasionally"),
         QStringLiteral("Can move, but must be assisted, is slow, or gets very tired"),
         QStringLiteral("Unable to move alone.")},
        // 3
        {QStringLiteral("Moves around without any difficulty, or slow, but manages without discomfort."),
         QStringLiteral("Manages if holding onto something stable, or assisted."),
         QStringLiteral("Unable to manage alone.")},
        // 4
        {QStringLiteral("Moves around without any difficulty and manages without discomfort."),
         QStringLiteral("10 to 200 meters, with a stop for rest and some discomfort"),
         QStringLiteral("Unable to move around  alone, or very restricted e.g < than 10 meters; very slow.")},
        // 5
        {QStringLiteral("No difficulty, or manages given time."),
         QStringLiteral("Manages, but is slow and must stop to rest or be helped."),
         QStringLiteral("Unable to climb steps or use a lift.")},
        // 6
        {QStringLiteral("Manages most; may ask for help with buttons or zip fastenings. Can undress."),
         QStringLiteral("Needs help with underwear; fastenings and tie; or tries but not always successful."),
         QStringLiteral("Attempts to put on shirt or jersey but does not usually manage.")},
        // 7
        {QStringLiteral("May need help with shoes and socks/stockings."),
         QStringLiteral("Manages pull-on and loose clothing; needs help with fastenings, shoes and belt."),
         QStringLiteral("Cannot put on underwear or other items properly. Kicks off shoes.")},
        // 8
        {QStringLiteral("Manages in reasonable time; or occasional help."),
         QStringLiteral("Manages partly but not hair or feet."),
         QStringLiteral("Assist with washing face and upper body; or cannot do this alone.")},
        // 9
        {QStringLiteral("Eats and drinks without help"),
         QStringLiteral("Can eat and drink but needs help with cutting food and uses a special cup."),
         QStringLiteral("Can eat only with hands or drink from a straw; or unable to manage.")},
        // 10
        {QStringLiteral("Manages independently; needs occasional help."),
         QStringLiteral("Requires help with handling paper and/or sanitary aids."),
         QStringLiteral("Cannot do personal hygiene associated with toileting.")},
        // 11
        {QStringLiteral("No problem or might lapse occasionally."),
         QStringLiteral("Loses control occasionally; bowel control; no bladder control or vise-versa; uses aids; social embarrassment."),
         QStringLiteral("Needs to be reminded regularly; or incontinent.")},
        // 12
        {QStringLiteral("Understands everything that is said or misses just a few meanings."),
         QStringLiteral("Able to understand basic, simple sentences."),
         QStringLiteral("Unable to understand any meaningful language.")},
        // 13
        {QStringLiteral("Person is generally intelligent at the level of articulation, grammer and meaning."),
         QStringLiteral("Able to produce basic, simple sentences."),
         QStringLiteral("Difficulty due to severe disturbance or no voluntary control of speech muscles (dysarthria) or has no voice due to structural impairment ( e.g laryngectomy, tracheotomy, tracheostoma).")},
        // 14
        {QStringLiteral("Can hold a meaningful conversation."),
         QStringLiteral("Can initiate and maintain a conversation about familiar subjects with some assistance from listener; Frequent failure to convey idea."),
         QStringLiteral("Fragmentary expression with great need for inference, questioning and guessing by listener; Can engage only with alternative, augmentative communication.")},
        // 15
        {QStringLiteral("Some difficulty that is resolved with use of Spectacles;"),
         QStringLiteral("Recognises familliar person across the street; Can see to read and write (incl. learning these skills); 6/24 - 6/36;\r\nCan manage to get around in a low lit area."),
         QStringLiteral("Cannot recognise any object at arms length; familliar person across the street; Unable to read or write;  Cannot get around other than in familliar places; 6/60 - <3/60 in the better eye;")},
        // 16
        {QStringLiteral("Hears sounds and can usually identify them correctly."),
         QStringLiteral("Cannot always localise sounds or hear warnings e.g alarm ringing; traffic; >31dB <15 years; >41dB > 15 years;"),
         QStringLiteral("Severe difficulty or complete inability to hear warning sounds; 61dB a 0,5; 1; 2 and 4KHz in better ear")},
        // 17
        {QStringLiteral("Follows conversation with one person and more than one if speech is clear even if there is some noise."),
         QStringLiteral("Some difficulty in oral communication because of impairment especially if there is some noise and/or in a group; uses lip-reading."),
         QStringLiteral("Conversation very limited or not possible except with one other person in a quiet room with good lighting; relies heavily on lip-reading.")},
        // 18 (written for this program: no form text exists)
        {QStringLiteral("Gets on well with peers, educators and family; makes and keeps friends, with no more than an occasional disagreement."),
         QStringLiteral("Has few friends and frequent conflicts with peers or educators. Withdraws from group activities or becomes quarrelsome, which affects school work and family life."),
         QStringLiteral("Unable to form or keep relationships (e.g has no friends, is isolated or openly hostile to others) OR serious impairment in social, school and family functioning, such as frequent fights, aggression towards other children or refusing all contact.")},
        // 19 (written for this program: no form text exists)
        {QStringLiteral("Greets, responds and takes turns in a conversation appropriately; at most slightly shy or irritable in new situations."),
         QStringLiteral("Often responds inappropriately to others (e.g interrupts, ignores social cues, is overly shy or demanding). Needs prompting from educators or family to interact appropriately."),
         QStringLiteral("Seldom or never starts or responds to contact with others (e.g avoids eye contact, does not answer when spoken to) OR behaves towards others in a way that disrupts the class and the family.")},
        // 20
        {QStringLiteral("Effective, generally satisfied with life, no more than everyday problems or concerns (e.g an occasional argument with family members)."),
         QStringLiteral("Has regular friction and conflict with family. Struggle to sort out problems in the family and becomes moody and withdrawn."),
         QStringLiteral("Some impairment in reality testing or communication (e.g speech is at times illogical, obscure, or irrelevant) OR major impairment in several areas, such as work or school family realations, judgement, thinking, or mood (e.g depressed avoids friends, neglets family, and is unable to work, child frequently beats younger children, is defiant at home and is failling at school).")},
        // 21 (written for this program: no form text exists)
        {QStringLiteral("Copes with everyday demands and changes; any worry or upset (e.g before a test) is brief and does not affect school work or family life."),
         QStringLiteral("Becomes anxious, tearful or angry under pressure and struggles to finish tasks. Symptoms such as poor sleep, headaches or moodiness at times keep the child from school or from family activities."),
         QStringLiteral("Unable to cope with ordinary demands (e.g panics, has outbursts or shuts down when the routine changes) OR serious symptoms such as self-harm, refusing to attend school, or a breakdown of functioning at home and at school.")},
        // 22
        {QStringLiteral("Able to solve the problem; or, had the right idea; score between 8 and 10"),
         QStringLiteral("Didnt get the answer, even with one prompt, but went about solving the puzzle in a systematic way; score between 5 and 7."),
         QStringLiteral("Unable to solve the problem, even with two prompts; score between 0 and 4.")},
        // 23
        {QStringLiteral("Fairly good recall: 12/15"),
         QStringLiteral("Moderate recall: 9/15\r\nOne prompt."),
         QStringLiteral("Poor recall: Less than 7\r\nTwo prompts.")},
        // 24
        {QStringLiteral("Does not affect school attendance and participation."),
         QStringLiteral("Occasional absence from school, needs frequent rest periods."),
         QStringLiteral("Frequent absence due to hospitalisation or illness.")},
        // 25
        {QStringLiteral("Can be administered by educator."),
         QStringLiteral("Should be administered by health practitioner."),
         QStringLiteral("Requires medical practitioner or senior nurse.")},
        // 26
        {QStringLiteral("Educator can support by reducing work load."),
         QStringLiteral("Should be monitored by health practitioner."),
         QStringLiteral("Should frequently be monitored by medical practitioner or senior nurse.")},
        // 27
        {QStringLiteral("Does not affect school attendance and participation."),
         QStringLiteral("Occasional absence from school, needs frequent rest periods."),
         QStringLiteral("Frequent absence due to hospitalisation or illness.")},
        // 28
        {QStringLiteral("Can be monitored by ordinary educator."),
         QStringLiteral("Should be monitored by health practitioner."),
         QStringLiteral("Intervention may be required from medical practitioner or senior nurse.")},
    };
    return descriptions;
}

} // namespace

bool hasLimitDescription(int subSection)
{
    return subSection >= 1 && subSection <= LimitDescriptionCount;
}

const LimitDescription &limitDescription(int subSection)
{
    static const LimitDescription none;
    if (!hasLimitDescription(subSection))
        return none;
    return limitDescriptions().at(subSection - 1);
}
