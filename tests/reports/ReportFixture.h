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

constexpr int ThisYear = 2026;
constexpr int LastYear = 2025;

struct School
{
    School() : store(false, true)
    {
        store.exec(QStringLiteral("INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) "
                                  "VALUES ('Sediba Combined School', 'Tshwane South', 'Circuit 3', '700310455')"));
        store.exec(QStringLiteral("INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES "
                                  "(1, 'Grade R', 'Yes'), (2, 'Grade 1', 'Yes'), (3, 'Grade 2', 'Yes'), (4, 'Pre-Grade R', 'No')"));
        store.exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (1, 'Visual impairment'), "
                                  "(2, 'Epilepsy'), (3, 'Parent''s choice'), (4, 'Deaf')"));
        AppState &state = appState();
        state.SchoolName = QStringLiteral("Sediba Combined School");
        state.CurrentDataYear = ThisYear;
        state.ReportYear = ThisYear;
    }
    ~School()
    {
        ModalScreens::setObserver({});
        PrinterChoice::setChooser({});
    }

    int learner(const QString &surname, const QString &first, const QString &accession, int grade = 2,
                int disability = 1, const QString &status = QStringLiteral("C"), int lsen = 2,
                const QString &birthDate = QStringLiteral("20150704")) const
    {
        return store.addLearner(surname, first, status, lsen, QString(), grade, accession, birthDate, disability);
    }

    void background(int learner, int year, const QString &provider,
                    const QString &support = QStringLiteral("Remedial reading")) const
    {
        store.exec(QStringLiteral("INSERT INTO SNE_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, "
                                  "Name_Of_Provider, Contact_Details, Family_Situation, Parent_Understanding_Of_Child, "
                                  "Data_Year) VALUES (%1, %2, %3, '012 345 6789', 'Lives with gran', 'Supportive', %4)")
                       .arg(learner).arg(quoted(support), quoted(provider)).arg(year));
    }

    void score(int learner, int subSection, int score, int year) const
    {
        store.exec(QStringLiteral("INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) "
                                  "VALUES (%1, %2, %3, %4)").arg(learner).arg(subSection).arg(score).arg(year));
    }

    void rating(int learner, int area, const QString &rating, int year) const
    {
        store.exec(QStringLiteral("INSERT INTO SNE_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, Data_Year) "
                                  "VALUES (%1, %2, %3, %4)").arg(learner).arg(area).arg(rating).arg(year));
    }

    void healthReport(int learner, int year, const QString &type = QStringLiteral("P")) const
    {
        store.exec(QStringLiteral("INSERT INTO SNE_Health_Professional_Report (LearnerID, Impairment_Type, "
                                  "Medical_Record_Viewed, Medical_Record_Attached, Comments, Data_Year) "
                                  "VALUES (%1, %2, 1, 0, 'Seen by the clinic', %3)")
                       .arg(learner).arg(quoted(type)).arg(year));
    }

    static QString quoted(const QString &text)
    {
        return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
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
    explicit Classroom(bool withZulu = false, const QString &adamsProvider = QStringLiteral("Clinic North"))
    {
        obrien = learner(QStringLiteral("O'Brien"), QStringLiteral("Sean"), QStringLiteral("O'Brien-01"), 3, 3);
        adams = learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"), 2, 2);
        background(obrien, ThisYear, QStringLiteral("St Mary's Clinic"));
        background(adams, ThisYear, adamsProvider);
        if (withZulu) {
            zulu = learner(QStringLiteral("Zulu"), QStringLiteral("Zola"), QStringLiteral("Z9"), 3, 2);
            background(zulu, ThisYear, QStringLiteral("St Mary's Clinic"));
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
