#pragma once

#include "TestStore.h"

#include <QDate>

// A school whose ISP actions fall in every review group, seen from Today:
//  - ADAMS Zoe (Grade 4, A-001): Action 1 "09/03/2026" (overdue, yesterday),
//    Action 3 "17/03/2026" (due within 7 days, a target with a comma, quotes
//    and a second line), Action 5 with no date; her action review holds
//    01/02/2026, 2026-02-20 and a later 2026-04-01, so her last review held is
//    20/02/2026;
//  - BROWN Sam (Grade 5, B-002): Action 2 "2026-03-18" (due within 30 days),
//    Action 4 "next term" (date not readable), and a 2025 action;
//  - CARTER Ann, archived, with a 2026 action that is never listed;
//  - DLAMINI Thabo (Grade 4, D-004): thirty actions of group 3, dated from
//    11/04/2026 on (later).
struct ReviewsSchool
{
    static constexpr int Year = 2026;
    static QDate today() { return QDate(2026, 3, 10); }

    ReviewsSchool();

    TestStore store {false, true};
    int adams = 0;
    int brown = 0;
    int carter = 0;
    int dlamini = 0;

    void addAction(int learner, int action, const QString &target, const QString &person, const QString &date,
                   int year = Year) const;
};
