#include "LearnerFilePrint.h"

#include "CentralRoutines.h"
#include "LearnerFile.h"
#include "PrintPreview.h"

#include <QProgressDialog>

namespace LearnerFilePrint {

void run(QWidget *parent, qint32 learnerId, qint32 year)
{
    LearnerFile file(learnerId, year);
    QProgressDialog progress(QStringLiteral("Preparing the learner file..."), QStringLiteral("Cancel"), 0, 1, parent);
    progress.setObjectName(QStringLiteral("prgLearnerFile"));
    progress.setWindowTitle(QStringLiteral("Print Learner File"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const LearnerFile::Progress step = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        return !progress.wasCanceled();
    };
    bool loaded = false;
    if (!trapped(QStringLiteral("frmSNA_Main"), QStringLiteral("Learner File Routine"),
                 [&] { loaded = file.load(step); })
        || !loaded)
        return;
    progress.setLabelText(QStringLiteral("Laying out the pages..."));
    PrintPreview preview(file.job(step), parent);
    if (progress.wasCanceled())
        return;
    progress.reset();
    preview.exec();
}

} // namespace LearnerFilePrint
