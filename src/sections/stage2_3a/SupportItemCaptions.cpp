#include "SupportItemCaptions.h"

#include <QHash>
#include <QStringList>

namespace {

// One example line: a line break, three blanks, an asterisk and a blank.
QString captionWithExamples(const QString &statement, const QStringList &examples)
{
    QString caption = statement;
    for (const QString &example : examples)
        caption += QStringLiteral("\r\n   * ") + example;
    return caption;
}

QHash<int, QString> allCaptions()
{
    QHash<int, QString> c;
    // 1. Management and planning
    c[1] = captionWithExamples(
        QStringLiteral("a. Meeting and consultation sessions to plan, coordinate and review the learner's support, e.g."),
        {QStringLiteral("ILST meetings with the class educator"),
         QStringLiteral("consultation with parents or caregivers"),
         QStringLiteral("consultation with therapists, the DBST and other specialists"),
         QStringLiteral("case conferences with outside service providers")});
    c[2] = captionWithExamples(
        QStringLiteral("b. ISP Review and monitoring e.g."),
        {QStringLiteral("reviewing the learner's progress against the ISP goals every term"),
         QStringLiteral("adjusting support strategies and targets"),
         QStringLiteral("keeping records of interventions and their outcomes"),
         QStringLiteral("reporting progress to parents and the DBST")});

    // 2. Assistive technology and materials
    c[3] = captionWithExamples(
        QStringLiteral("a. Assessment of learner's barrier to learning and of the assistive technology needed, e.g."),
        {QStringLiteral("functional vision or hearing assessment"),
         QStringLiteral("seating and positioning assessment"),
         QStringLiteral("assessment for communication devices or computer access")});
    c[4] = captionWithExamples(
        QStringLiteral("b. Ordering and supply of assistive technology."),
        {QStringLiteral("quotations, orders and delivery of devices"),
         QStringLiteral("hearing aids, FM systems, magnifiers, Braille machines, wheelchairs")});
    c[5] = captionWithExamples(
        QStringLiteral("c. Maintanance and/or checking assistive devices to keep them in working order, e.g."),
        {QStringLiteral("daily checks of hearing aids and FM systems"),
         QStringLiteral("charging batteries"),
         QStringLiteral("repairs and servicing of wheelchairs and Braille machines")});
    c[7] = captionWithExamples(
        QStringLiteral("d. Development/production of adapted learning and teaching materials, e.g."),
        {QStringLiteral("Braille and large print"),
         QStringLiteral("tactile diagrams and models"),
         QStringLiteral("simplified texts with picture support"),
         QStringLiteral("audio recordings")});
    c[8] = captionWithExamples(
        QStringLiteral("e. Planning integrated use od assistive technology in lesson activities, e.g."),
        {QStringLiteral("a talking calculator or screen reader used in class"),
         QStringLiteral("communication boards in group work")});
    c[10] = captionWithExamples(
        QStringLiteral("f. Assistance required with monitoring and evaluating the use of assistive technology, e.g."),
        {QStringLiteral("checking that devices are used in class and at home"),
         QStringLiteral("recording the effect on the learner's participation"),
         QStringLiteral("referral for re-assessment when needs change")});
    c[11] = captionWithExamples(
        QStringLiteral("g. Individual support in the use of specialised equipment, e.g."),
        {QStringLiteral("training the learner to use a device"),
         QStringLiteral("support with mobility aids and the white cane"),
         QStringLiteral("assistance with augmentative and alternative communication")});

    // 3.1 Adjustments to regular curriculum
    c[12] = captionWithExamples(
        QStringLiteral("a. Adjustments to regular curriculum are needed in content, pace or presentation, e.g."),
        {QStringLiteral("reduced or simplified content"),
         QStringLiteral("more time to complete work"),
         QStringLiteral("concrete and visual presentation of concepts")});
    c[13] = captionWithExamples(
        QStringLiteral("b. Learner needs access to adapted learning materials, e.g."),
        {QStringLiteral("large print, Braille or audio texts"),
         QStringLiteral("simplified readers and worksheets")});
    c[14] = captionWithExamples(
        QStringLiteral("c. Planning specific goals within the curriculum for the learner, e.g."),
        {QStringLiteral("individual targets in the ISP"),
         QStringLiteral("lesson plans with differentiated activities")});

    // 3.2 Additional classroom support strategies
    c[16] = captionWithExamples(
        QStringLiteral("a. Teaching the use of specific language and communication skills, e.g."),
        {QStringLiteral("South African Sign Language"),
         QStringLiteral("Braille reading and writing"),
         QStringLiteral("augmentative and alternative communication")});
    c[17] = captionWithExamples(
        QStringLiteral("b. Assistance through the use of visual and concrete aids, e.g."),
        {QStringLiteral("pictures, charts and word walls"),
         QStringLiteral("objects and models"),
         QStringLiteral("visual timetables")});
    c[18] = captionWithExamples(
        QStringLiteral("c. Assistant required to collaborate with the educator in the classroom, e.g."),
        {QStringLiteral("a class assistant or facilitator"),
         QStringLiteral("a sign language interpreter")});
    c[19] = captionWithExamples(
        QStringLiteral("d. Extra time allowed for a learner to complete tasks, tests and examinations, e.g."),
        {QStringLiteral("extra time for class activities"),
         QStringLiteral("rest breaks during tests")});
    c[20] = captionWithExamples(
        QStringLiteral("e. Majority of learner's learning activities need to be adapted, e.g."),
        {QStringLiteral("an individual programme for most subjects"),
         QStringLiteral("practical and skills-based activities")});
    c[21] = captionWithExamples(
        QStringLiteral("f. Learner requires access to specific therapy or specialist support, e.g."),
        {QStringLiteral("speech, occupational or physiotherapy"),
         QStringLiteral("remedial or learning support")});
    c[22] = QStringLiteral("g. Other special assessment support required e.g Tape recorder, reader, special seating arrangements");
    c[23] = captionWithExamples(
        QStringLiteral("h. Management of behaviour challenges in the classroom, e.g."),
        {QStringLiteral("a behaviour support plan"),
         QStringLiteral("a quiet area and time-out"),
         QStringLiteral("counselling and positive reinforcement")});
    c[24] = captionWithExamples(
        QStringLiteral("i. Monitor and provide wellness and health care support, e.g."),
        {QStringLiteral("monitoring medication and its side effects"),
         QStringLiteral("rest periods and nutrition")});
    c[25] = captionWithExamples(
        QStringLiteral("j. Assistance is required with the learner's personal care, e.g."),
        {QStringLiteral("toileting"),
         QStringLiteral("eating and drinking"),
         QStringLiteral("dressing")});
    c[26] = captionWithExamples(
        QStringLiteral("k. Development, implementation & monitoring of a health care plan, e.g."),
        {QStringLiteral("epilepsy or diabetes management"),
         QStringLiteral("emergency procedures")});
    c[27] = captionWithExamples(
        QStringLiteral("l. Administration of specialised heatlh care procedures, e.g."),
        {QStringLiteral("catheterisation"),
         QStringLiteral("tube feeding"),
         QStringLiteral("suctioning")});
    c[28] = captionWithExamples(
        QStringLiteral("m. Support and guide learner's social and emotional development, e.g."),
        {QStringLiteral("counselling"),
         QStringLiteral("peer support and social skills"),
         QStringLiteral("referral to a social worker or psychologist")});

    // 4. Assessment
    c[29] = captionWithExamples(
        QStringLiteral("a. Adapted assessment procedures with clear links to the regular curriculum completed, e.g."),
        {QStringLiteral("oral instead of written assessment"),
         QStringLiteral("assessment in Braille or large print"),
         QStringLiteral("extra time, a reader or a scribe")});
    c[30] = captionWithExamples(
        QStringLiteral("b. Adapted assessment procedures with no clear links to the regular curriculum completed, e.g."),
        {QStringLiteral("assessment against the individual goals of the ISP"),
         QStringLiteral("practical demonstration of skills")});
    c[31] = captionWithExamples(
        QStringLiteral("c. Adapted assessment materials with a changed format or presentation, e.g."),
        {QStringLiteral("enlarged or Braille question papers"),
         QStringLiteral("simplified language")});
    c[32] = captionWithExamples(
        QStringLiteral("d. Information and data on adapted assessment are kept and reported, e.g."),
        {QStringLiteral("records of the concessions granted"),
         QStringLiteral("progress reports to parents and the DBST")});

    // 5. Environmental access
    c[35] = captionWithExamples(
        QStringLiteral("a. Adaptations are made to physical environment to give the learner access, e.g."),
        {QStringLiteral("ramps and rails"),
         QStringLiteral("accessible toilets"),
         QStringLiteral("a classroom on the ground floor"),
         QStringLiteral("lighting and acoustics")});
    c[36] = captionWithExamples(
        QStringLiteral("b. Adaptations are made to school-wide routines and procedures, e.g."),
        {QStringLiteral("timetable and venue changes"),
         QStringLiteral("emergency evacuation plans")});
    c[37] = captionWithExamples(
        QStringLiteral("c. Assistance to access all areas of the school, e.g."),
        {QStringLiteral("a helper to move between classes"),
         QStringLiteral("orientation and mobility training")});
    c[39] = captionWithExamples(
        QStringLiteral("d. Transport to and from school needs to be arranged, e.g."),
        {QStringLiteral("adapted transport"),
         QStringLiteral("a vehicle with a wheelchair lift")});
    c[40] = captionWithExamples(
        QStringLiteral("e. Additional supervision is needed in the playground and during breaks, e.g."),
        {QStringLiteral("supervision on the playground"),
         QStringLiteral("supervision on school outings")});
    c[41] = captionWithExamples(
        QStringLiteral("f. Additional supervision & maintenance is needed for equipment and facilities, e.g."),
        {QStringLiteral("safe storage of equipment"),
         QStringLiteral("maintenance of ramps and adapted furniture")});
    c[43] = captionWithExamples(
        QStringLiteral("g. Additional hostel/residential facility support is needed, e.g."),
        {QStringLiteral("a hostel place"),
         QStringLiteral("after-hours care")});
    c[45] = captionWithExamples(
        QStringLiteral("h. Teaching of specific safety & access skills, e.g."),
        {QStringLiteral("orientation and mobility"),
         QStringLiteral("road safety"),
         QStringLiteral("independent living skills")});
    return c;
}

} // namespace

QString supportItemCaption(int gridId)
{
    static const QHash<int, QString> captions = allCaptions();
    return captions.value(gridId);
}
