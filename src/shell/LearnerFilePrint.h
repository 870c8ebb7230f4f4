#pragma once

#include <QtGlobal>

class QWidget;

// "Print Learner File" in the program: the learner's whole file for the year,
// made with a progress bar that can cancel it, then shown in the print
// preview, from which it is printed or saved as a PDF.
namespace LearnerFilePrint {

void run(QWidget *parent, qint32 learnerId, qint32 year);

} // namespace LearnerFilePrint
