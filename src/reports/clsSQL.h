#pragma once

#include <QString>

// The learner profile's statements and the grade list's. The profile's main
// statement keeps its base text and its filter of the last call: the filter
// is built afresh each time, so a learner chosen for one report never
// narrows the next.
class clsSQL
{
public:
    // repGrade: repVar holds a grade identifier; otherwise a non-empty repVar
    // is an accession number. The data year's own report lists current
    // learners only.
    QString Rep01BackgroundQuery(qint32 reportYear, qint32 currentDataYear, const QString &repVar, bool repGrade);
    QString Rep01DPQuery(qint32 reportYear) const;
    QString Rep01CFS(qint32 reportYear) const;
    QString qSchoolGrades() const;

    QString baseText() const { return m_base; }
    QString filterText() const { return m_filter; }

private:
    QString m_base;
    QString m_filter;
};
