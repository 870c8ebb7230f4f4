#include "ReportScreensRegistration.h"

#include "ModalScreens.h"
#include "ReportOptions.h"
#include "ReportScreens.h"
#include "ReportSelect.h"

void registerReportScreens()
{
    ReportScreenOpeners openers;
    openers.reports = [](QWidget *parent) {
        frmReportSelect screen(parent);
        ModalScreens::show(screen);
    };
    openers.learnerProfile = [](QWidget *parent, const QString &accession) {
        frmReportOptions options(QStringLiteral("LearnerProfile"), parent);
        if (!accession.trimmed().isEmpty())
            options.setAccession(accession);
        options.formLoad();
        ModalScreens::show(options);
    };
    setReportScreenOpeners(std::move(openers));
}
