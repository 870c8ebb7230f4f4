#pragma once

#include <QString>

class Connection;

// The host school-administration tables this program reads and writes, and a
// demo school to fill them with.
namespace DemoHost {

// Creates the empty host tables General_Info, SchoolGrades (with its
// schoolgrade column), Disabilities, Learner_Info and MultipleDisabilities.
// Text columns compare case-insensitively, as the host engine does.
void createHostTables(Connection &connection);

// Fills the school, its grades, the disability list and `learners` learners
// that cover every case of the learner list (current and archived; LSENStatus
// 1, 2 and 3; with and without a social grant number; a learner whose grade
// has no row; primary and additional disabilities). learners >= 60.
void fillDemoSchool(Connection &connection, int learners);

// Creates a new host store at path with the tables and the demo school.
void createDemoHost(const QString &path, int learners);

} // namespace DemoHost
