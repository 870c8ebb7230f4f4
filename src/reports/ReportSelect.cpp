#include "ReportSelect.h"

#include "AppState.h"
#include "BarrierSelect.h"
#include "CentralRoutines.h"
#include "ListReportStatement.h"
#include "ModalScreens.h"
#include "PickOnlyFilter.h"
#include "ReportOptions.h"
#include "ScreenButton.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmReportSelect::frmReportSelect(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReportSelect"));
    setWindowTitle(QStringLiteral("SNA [ REPORT SELECTION ]"));

    auto *yearLabel = new QLabel(QStringLiteral("Select Report Year:"), this);
    m_year = new QComboBox(this);
    m_year->setObjectName(QStringLiteral("cboYear"));
    yearLabel->setBuddy(m_year);
    PickOnlyFilter::install(m_year);
    FillYearList(m_year);

    QPushButton *summary = screenButton(this, QStringLiteral("cmdSummary"), QStringLiteral("Summary of Learners per Barrier"));
    QPushButton *list = screenButton(this, QStringLiteral("cmdList"),
                                   QStringLiteral("List of Learners per Provider (organisation/department)"));
    QPushButton *scores = screenButton(this, QStringLiteral("cmdScoreSummary"), QStringLiteral("Learner Score Summary"));
    QPushButton *done = screenButton(this, QStringLiteral("cmdDone"), QStringLiteral("Done"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(yearLabel);
    layout->addWidget(m_year);
    layout->addSpacing(8);
    for (QPushButton *b : {summary, list, scores})
        layout->addWidget(b);
    layout->addSpacing(8);
    layout->addWidget(done);

    connect(summary, &QPushButton::clicked, this, [this] { openListReport(ReportModes::LearnerSummary); });
    connect(list, &QPushButton::clicked, this, [this] { openListReport(ReportModes::LearnerList); });
    connect(scores, &QPushButton::clicked, this, &frmReportSelect::openScoreSummary);
    connect(done, &QPushButton::clicked, this, &QDialog::close);
}

QPushButton *frmReportSelect::button(const QString &objectName) const
{
    return findChild<QPushButton *>(objectName);
}

void frmReportSelect::openListReport(const QString &formMode)
{
    if (!CheckReportYear(m_year))
        return;
    appState().ReportYear = m_year->currentText().trimmed().toInt();
    frmBarrierSelect selection(formMode, this);
    selection.formLoad();
    ModalScreens::show(selection);
}

void frmReportSelect::openScoreSummary()
{
    // The options screen has a year list of its own.
    frmReportOptions options(QStringLiteral("LearnerScoreSummary"), this);
    options.formLoad();
    ModalScreens::show(options);
}
