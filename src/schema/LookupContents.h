#pragma once

#include <QString>
#include <QVector>

// The fixed vocabulary of the assessment. The lookup tables are filled from
// these tables, and the criteria screens show the same level descriptions, so
// a text is written once, here.

struct ImpairmentArea
{
    int id;
    QString description;
};

struct ActivitySubSection
{
    int id;
    int activityDomain;     // the ImpairmentArea id it belongs to
    QString description;
};

// The none-or-mild, moderate and severe limitation of one sub-section.
struct LimitDescription
{
    QString mild;
    QString moderate;
    QString severe;
};

struct IspAction
{
    int id;
    QString description;
};

// The eight impairment areas, ids 1 to 8.
const QVector<ImpairmentArea> &impairmentAreas();
// The 29 activity sub-sections, ids 1 to 29.
const QVector<ActivitySubSection> &activitySubSections();
// The five kinds of action of an individual support plan, ids 1 to 5.
const QVector<IspAction> &ispActions();

// Sub-sections 1 to 28 have level descriptions; 29 ("Other") has none.
constexpr int LimitDescriptionCount = 28;
bool hasLimitDescription(int subSection);
// The level descriptions of a sub-section; three empty texts outside 1 to 28.
const LimitDescription &limitDescription(int subSection);
