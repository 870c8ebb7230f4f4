#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The sections of a learner's assessment in stage order, as the main menu
// offers them: the stage, the menu button that opens the section, its text,
// the first screen of its chain and the tables its screens store the
// learner's rows of a year in.
namespace LearnerSections {

struct Section
{
    int stage;
    QString button;
    QString title;
    QString firstScreen;
    QStringList tables;
};

const QVector<Section> &all();

} // namespace LearnerSections
