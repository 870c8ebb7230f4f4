#include "LearnerFilePrint.h"

#include "CentralRoutines.h"
#include "LearnerFile.h"
#include "PrintPreview.h"
#include "ProgressWindow.h"

namespace LearnerFilePrint {

void run(QWidget *parent, qint32 learnerId, qint32 year)
{
    LearnerFile file(learnerId, year);
    ProgressWindow progress(parent, QStringLiteral("prgLearnerFile"), QStringLiteral("Print Learner File"),
                            QStringLiteral("Preparing the learner file..."));
    const LearnerFile::Progress step = progress.step();
    bool loaded = false;
    if (!trapped(QStringLiteral("frmSNA_Main"), QStringLiteral("Learner File Routine"),
                 [&] { loaded = file.load(step); })
        || !loaded)
        return;
    progress.setLabel(QStringLiteral("Laying out the pages..."));
    PrintPreview preview(file.job(step), parent);
    if (progress.wasCanceled())
        return;
    progress.close();
    preview.exec();
}

} // namespace LearnerFilePrint
