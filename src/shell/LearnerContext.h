#pragma once

#include "AppState.h"

class Connection;

// A learner as the program shows them: the name as the learner list shows it
// (surname in capitals, a blank, the first name), the accession number, the
// grade's name and the date of birth (day/month/year when the host holds it
// as eight digits, otherwise as held).
struct LearnerFacts
{
    qint32 id = 0;
    QString name;
    QString accessionNo;
    QString grade;
    QString birthDate;      // as the host holds it
    QString birthDateShown;
};

// Reads a learner of the host's table; false when no learner has the ID.
bool readLearner(Connection &connection, qint32 learnerId, LearnerFacts &facts);

// Makes a learner and a data year the process's current ones for as long as
// it lives, and puts back the ones before when it ends: work for another
// learner (a learner's whole file) leaves the main menu's learner as it was.
class LearnerContext
{
public:
    LearnerContext(const LearnerFacts &learner, qint32 year);
    ~LearnerContext();
    LearnerContext(const LearnerContext &) = delete;
    LearnerContext &operator=(const LearnerContext &) = delete;

private:
    AppState m_saved;
};
