#pragma once

// A small school for the report and append tests: three grades, four
// barriers (one with an apostrophe), and helpers that store the rows the
// section screens would have stored.
#include "AppState.h"
#include "ListReportStatement.h"
#include "MessageRecorder.h"
#include "ModalScreens.h"
#include "PrinterChoice.h"
#include "TestStore.h"

#include <QString>

namespace reports {

using namespace Qt::StringLiterals;

constexpr int ThisYear = 2026;
constexpr int LastYear = 2025;

struct School
{
    School() : store(false, true)
    {
        store.exec(u"INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) "
                    "VALUES ('Sediba Combined School', 'Tshwane South', 'Circuit 3', '700310455')"_s);
        store.exec(u"INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES "
                    "(1, 'Grade R', 'Yes'), (2, 'Grade 1', 'Yes'), (3, 'Grade 2', 'Yes'), (4, 'Pre-Grade R', 'No')"_s);
        store.exec(u"INSERT INTO Disabilities (id, Name) VALUES (1, 'Visual impairment'), "
                    "(2, 'Epilepsy'), (3, 'Parent''s choice'), (4, 'Deaf')"_s);
        AppState &state = appState();
        state.SchoolName = u"Sediba Combined School"_s;
        state.CurrentDataYear = ThisYear;
        state.ReportYear = ThisYear;
    }
    ~School()
    {
        ModalScreens::setObserver({});
        PrinterChoice::setChooser({});
    }

    int learner(const QString &surname, const QString &first, const QString &accession, int grade = 2, int disability = 1,
                const QString &status = u"C"_s, int lsen = 2, const QString &birthDate = u"20150704"_s) const
    {
        return store.addLearner(surname, first, status, lsen, QString(), grade, accession, birthDate, disability);
    }

    // The i-th of a long list of learners: Surname007, First, AC7.
    int numbered(int i, int grade = 2, int disability = 1) const
    {
        return learner(u"Surname%1"_s.arg(i, 3, 10, QLatin1Char('0')), u"First"_s, u"AC%1"_s.arg(i), grade, disability);
    }

    void background(int learner, int year, const QString &provider, const QString &support = u"Remedial reading"_s) const
    {
        store.exec(u"INSERT INTO SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, Name_Of_Provider, "
                    "Contact_Details, Family_Situation, Parent_Understanding_Of_Child, Data_Year) "
                    "VALUES (%1, %2, %3, '012 345 6789', 'Lives with gran', 'Supportive', %4)"_s
                       .arg(learner).arg(quoted(support), quoted(provider)).arg(year));
    }

    void score(int learner, int subSection, int score, int year) const
    {
        store.exec(u"INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) VALUES (%1, %2, %3, %4)"_s
                       .arg(learner).arg(subSection).arg(score).arg(year));
    }

    void healthReport(int learner, int year, const QString &type = u"P"_s) const
    {
        store.exec(u"INSERT INTO SNE_Health_Professional_Report (LearnerID, Impairment_Type, Medical_Record_Viewed, "
                    "Medical_Record_Attached, Comments, Data_Year) VALUES (%1, %2, 1, 0, 'Seen by the clinic', %3)"_s
                       .arg(learner).arg(quoted(type)).arg(year));
    }

    static QString quoted(const QString &text)
    {
        return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), u"''"_s) + QLatin1Char('\'');
    }

    struct Reset { Reset() { resetAppState(); } } reset;
    TestStore store;
    MessageRecorder boxes;
};

// The school with this year's learners most report tests start from:
// O'Brien (Grade 2, "Parent's choice") and Zulu (Grade 2, Epilepsy) with
// St Mary's Clinic, Adams (Grade 1, Epilepsy) with adamsProvider; Zulu only
// where asked.
struct Classroom : School
{
    explicit Classroom(bool withZulu = false, const QString &adamsProvider = u"Clinic North"_s)
    {
        obrien = learner(u"O'Brien"_s, u"Sean"_s, u"O'Brien-01"_s, 3, 3);
        adams = learner(u"Adams"_s, u"Ann"_s, u"A1"_s, 2, 2);
        background(obrien, ThisYear, u"St Mary's Clinic"_s);
        background(adams, ThisYear, adamsProvider);
        if (withZulu) {
            zulu = learner(u"Zulu"_s, u"Zola"_s, u"Z9"_s, 3, 2);
            background(zulu, ThisYear, u"St Mary's Clinic"_s);
        }
    }
    int obrien = 0;
    int adams = 0;
    int zulu = 0;
};

// The list reports' filter for mode and year, without a barrier, provider or learner.
inline ListReportFilter listFilter(const QString &mode, int year)
{
    ListReportFilter filter;
    filter.formMode = mode;
    filter.reportYear = year;
    filter.currentDataYear = ThisYear;
    return filter;
}

} // namespace reports
