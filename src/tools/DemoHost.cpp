#include "DemoHost.h"

#include "Connection.h"
#include "DemoSequence.h"

#include <QDate>
#include <QFile>
#include <QStringList>
#include <QVector>
#include <stdexcept>

namespace {

QString quoted(const QString &text)
{
    return demoQuoted(text);
}

QString textOrNull(const QString &text, bool isNull)
{
    return isNull ? QStringLiteral("NULL") : quoted(text);
}

using Sequence = DemoSequence;

const QStringList &firstNames()
{
    static const QStringList names = {
        QStringLiteral("Thabo"), QStringLiteral("Lerato"), QStringLiteral("Sipho"), QStringLiteral("Nomvula"),
        QStringLiteral("Pieter"), QStringLiteral("Anika"), QStringLiteral("Johan"), QStringLiteral("Ayesha"),
        QStringLiteral("Kagiso"), QStringLiteral("Naledi"), QStringLiteral("Bongani"), QStringLiteral("Zanele"),
        QStringLiteral("Themba"), QStringLiteral("Palesa"), QStringLiteral("Lwazi"), QStringLiteral("Mpho"),
        QStringLiteral("Refilwe"), QStringLiteral("Jacques"), QStringLiteral("Chantelle"), QStringLiteral("Riaan"),
        QStringLiteral("Busisiwe"), QStringLiteral("Sibusiso"), QStringLiteral("Karabo"), QStringLiteral("Amahle"),
        QStringLiteral("Lindiwe"), QStringLiteral("Tshepo"), QStringLiteral("Ntombi"), QStringLiteral("Francois"),
        QStringLiteral("Keabetswe"), QStringLiteral("Ruan"), QStringLiteral("Fatima"), QStringLiteral("Dineo"),
    };
    return names;
}

const QStringList &surnames()
{
    static const QStringList names = {
        QStringLiteral("Dlamini"), QStringLiteral("Nkosi"), QStringLiteral("Mokoena"), QStringLiteral("Naidoo"),
        QStringLiteral("Botha"), QStringLiteral("Khumalo"), QStringLiteral("Ndlovu"), QStringLiteral("Mahlangu"),
        QStringLiteral("Pillay"), QStringLiteral("Smith"), QStringLiteral("Jacobs"), QStringLiteral("Mthembu"),
        QStringLiteral("Zulu"), QStringLiteral("Sithole"), QStringLiteral("Molefe"), QStringLiteral("Coetzee"),
        QStringLiteral("Pretorius"), QStringLiteral("Radebe"), QStringLiteral("Maseko"), QStringLiteral("Ngcobo"),
        QStringLiteral("Shabalala"), QStringLiteral("Petersen"), QStringLiteral("Venter"), QStringLiteral("Mabena"),
    };
    return names;
}

struct Grade
{
    int id;
    QString name;
    bool schoolGrade;
};

// Grade R to 12 are school grades; the host also keeps a pre-school class.
QVector<Grade> grades()
{
    QVector<Grade> list{{1, QStringLiteral("Grade R"), true}};
    for (int grade = 1; grade <= 12; ++grade)
        list.append({grade + 1, QStringLiteral("Grade %1").arg(grade), true});
    list.append({14, QStringLiteral("Pre-Grade R"), false});
    return list;
}

constexpr int MissingGrade = 99;      // a grade the host has no row for
constexpr int DisabilityCount = 13;

const QStringList &disabilityNames()
{
    // "Visual" and "Deaf" are older names the host still holds; "Visual" is
    // also part of "Visual impairment".
    static const QStringList names = {
        QStringLiteral("Visual impairment"), QStringLiteral("Hearing impairment"),
        QStringLiteral("Physical disability"), QStringLiteral("Intellectual disability"),
        QStringLiteral("Autism spectrum disorder"), QStringLiteral("Epilepsy"),
        QStringLiteral("Specific learning disability"), QStringLiteral("Attention deficit hyperactivity disorder"),
        QStringLiteral("Behavioural disorder"), QStringLiteral("Visual"), QStringLiteral("Deaf"),
        QStringLiteral("Cerebral palsy"), QStringLiteral("Speech and language disorder"),
    };
    return names;
}

struct Learner
{
    int id = 0;
    QString firstName;
    QString surname;
    int grade = 1;
    QString accessionNo;
    QString birthDate;
    QString status = QStringLiteral("C");
    int lsenStatus = 2;
    QString socialGrantNo;
    bool socialGrantNull = false;
    int disability = 0;                 // 0: none recorded
    int hostNumber = 0;                 // the host's older learner number
    QVector<int> additional;            // MultipleDisabilities rows
};

// The learners every demo school has, whatever its size: one of each case the
// learner list distinguishes, so the list, the reports and the upgrade can be
// tried on them.
QVector<Learner> fixedLearners()
{
    QVector<Learner> list;
    auto add = [&](const QString &first, const QString &last, const QString &status, int lsen,
                   const QString &grant, int grade, int disability, QVector<int> additional = {}) {
        Learner learner;
        learner.firstName = first;
        learner.surname = last;
        learner.status = status;
        learner.lsenStatus = lsen;
        learner.socialGrantNo = grant;
        learner.grade = grade;
        learner.disability = disability;
        learner.additional = std::move(additional);
        list.append(learner);
        return &list.last();
    };
    const QString current = QStringLiteral("C");
    const QString archived = QStringLiteral("A");
    add(QStringLiteral("Sean"), QStringLiteral("O'Brien"), current, 2, QString(), 5, 7, {8});
    add(QStringLiteral("Zoë"), QStringLiteral("Mühlberg"), current, 3, QString(), 8, 1, {10, 11});
    add(QStringLiteral("Nkosinathi"), QStringLiteral("Mthethwa"), current, 1, QStringLiteral("SG4410298765"), 10, 0);
    add(QStringLiteral("Marike"), QStringLiteral("van der Merwe"), current, 2, QString(), MissingGrade, 4);
    add(QStringLiteral("Elna"), QStringLiteral("le Roux"), current, 1, QString(), 6, 0);          // not listed
    Learner *noGrant = add(QStringLiteral("Vusi"), QStringLiteral("Nxumalo"), current, 1, QString(), 7, 0);
    noGrant->socialGrantNull = true;                                                              // not listed
    add(QStringLiteral("Precious"), QStringLiteral("Mokoena"), current, 3, QStringLiteral("SG5520117788"), 3, 3, {12});
    add(QStringLiteral("Liam"), QStringLiteral("Fourie"), current, 1, QStringLiteral(" "), 14, 5);  // a blank grant counts
    add(QStringLiteral("Andile"), QStringLiteral("Cele"), archived, 2, QString(), 12, 2, {11});
    add(QStringLiteral("Gugu"), QStringLiteral("Mabaso"), archived, 1, QStringLiteral("SG3309981122"), 11, 0);
    add(QStringLiteral("Hendrik"), QStringLiteral("Steyn"), archived, 1, QString(), 9, 0);         // not listed
    add(QStringLiteral("Imraan"), QStringLiteral("Davids"), archived, 3, QString(), MissingGrade, 9, {6});
    return list;
}

QString birthDateFor(int grade, Sequence &sequence)
{
    // Grade R children turn six during the year; a missing grade gets any age.
    const int schoolYear = (grade >= 1 && grade <= 13) ? grade - 1 : sequence.next(13);
    const QDate date(2014 - 6 - schoolYear, 1 + sequence.next(12), 1 + sequence.next(28));
    return date.toString(QStringLiteral("yyyyMMdd"));
}

QVector<Learner> demoLearners(int count)
{
    Sequence sequence(20140301u);
    QVector<Learner> list = fixedLearners();
    while (list.size() < count) {
        Learner learner;
        learner.firstName = firstNames().at(sequence.next(int(firstNames().size())));
        learner.surname = surnames().at(sequence.next(int(surnames().size())));
        learner.grade = 1 + sequence.next(13);
        learner.status = sequence.chance(75) ? QStringLiteral("C") : QStringLiteral("A");
        learner.lsenStatus = 1 + sequence.next(3);
        if (sequence.chance(30))
            learner.socialGrantNo = QStringLiteral("SG%1").arg(1000000000 + sequence.next(900000000));
        else if (sequence.chance(20))
            learner.socialGrantNull = true;
        if (learner.lsenStatus > 1 || sequence.chance(30))
            learner.disability = 1 + sequence.next(DisabilityCount);
        if (learner.disability && sequence.chance(35)) {
            int other = 1 + sequence.next(DisabilityCount);
            if (other != learner.disability)
                learner.additional.append(other);
        }
        list.append(learner);
    }

    // The first half of the school keeps low IDs; the rest start above the
    // 16-bit range, as learner IDs do in schools that have used the host for
    // years.
    const int lowCount = count / 2;
    for (int i = 0; i < count; ++i) {
        Learner &learner = list[i];
        learner.id = i < lowCount ? 101 + i : 40001 + (i - lowCount);
        learner.hostNumber = 7001 + i * 3;
        learner.accessionNo = QString::number(10000 + (i * 37) % 9000);
        if (learner.birthDate.isEmpty())
            learner.birthDate = birthDateFor(learner.grade, sequence);
    }
    return list;
}

} // namespace

namespace DemoHost {

void createHostTables(Connection &connection)
{
    const QStringList statements = {
        QStringLiteral("CREATE TABLE General_Info (SchoolName TEXT COLLATE NOCASE, District TEXT COLLATE NOCASE, "
                       "Circuit TEXT COLLATE NOCASE, EmisCode TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE SchoolGrades (ID INTEGER PRIMARY KEY, Name TEXT COLLATE NOCASE, "
                       "schoolgrade TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE Disabilities (id INTEGER PRIMARY KEY, Name TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE Learner_Info (ID INTEGER PRIMARY KEY, FName TEXT COLLATE NOCASE, "
                       "SName TEXT COLLATE NOCASE, Grade INTEGER, AccessionNo TEXT COLLATE NOCASE, "
                       "BirthDate TEXT COLLATE NOCASE, Status TEXT COLLATE NOCASE, LSENStatus INTEGER, "
                       "SocialGrantNo TEXT COLLATE NOCASE, LSENDisabilities INTEGER, LearnerID INTEGER)"),
        // Testdate holds an ISO date (yyyy-MM-dd) as text.
        QStringLiteral("CREATE TABLE MultipleDisabilities (LearnerID INTEGER, DisabilityID INTEGER, "
                       "Knumber TEXT COLLATE NOCASE, Testdate TEXT COLLATE NOCASE)"),
    };
    Transaction transaction(connection);
    for (const QString &statement : statements)
        connection.executeNative(statement);
    transaction.commit();
}

void fillDemoSchool(Connection &connection, int learners)
{
    if (learners < 60)
        throw std::invalid_argument("a demo school has at least 60 learners");

    Transaction transaction(connection);
    connection.executeNative(QStringLiteral(
        "INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) "
        "VALUES ('Sediba Combined School', 'Tshwane South', 'Circuit 3', '700310455')"));

    for (const Grade &grade : grades()) {
        connection.executeNative(QStringLiteral("INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES (%1, %2, %3)")
                                     .arg(grade.id)
                                     .arg(quoted(grade.name), quoted(grade.schoolGrade ? QStringLiteral("Yes")
                                                                                     : QStringLiteral("No"))));
    }

    for (int i = 0; i < disabilityNames().size(); ++i) {
        connection.executeNative(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (%1, %2)")
                                     .arg(i + 1)
                                     .arg(quoted(disabilityNames().at(i))));
    }

    Sequence tests(4242u);
    for (const Learner &learner : demoLearners(learners)) {
        connection.executeNative(
            QStringLiteral("INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status, "
                           "LSENStatus, SocialGrantNo, LSENDisabilities, LearnerID) "
                           "VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, %11)")
                .arg(learner.id)
                .arg(quoted(learner.firstName), quoted(learner.surname))
                .arg(learner.grade)
                .arg(quoted(learner.accessionNo), quoted(learner.birthDate), quoted(learner.status))
                .arg(learner.lsenStatus)
                .arg(textOrNull(learner.socialGrantNo, learner.socialGrantNull))
                .arg(learner.disability ? QString::number(learner.disability) : QStringLiteral("NULL"))
                .arg(learner.hostNumber));
        for (int disability : learner.additional) {
            const QDate tested(2012 + tests.next(3), 1 + tests.next(12), 1 + tests.next(28));
            connection.executeNative(
                QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) "
                               "VALUES (%1, %2, %3, %4)")
                    .arg(learner.id)
                    .arg(disability)
                    .arg(quoted(QStringLiteral("K%1").arg(300000 + tests.next(600000))),
                         quoted(tested.toString(Qt::ISODate))));
        }
    }
    transaction.commit();
}

void createDemoHost(const QString &path, int learners)
{
    if (learners < 60)
        throw std::invalid_argument("a demo school has at least 60 learners");
    std::unique_ptr<Connection> connection = Connection::create(path);
    try {
        createHostTables(*connection);
        fillDemoSchool(*connection, learners);
    } catch (...) {
        // No half-made school is left behind to be mistaken for a real one.
        connection.reset();
        QFile::remove(path);
        throw;
    }
}

} // namespace DemoHost
