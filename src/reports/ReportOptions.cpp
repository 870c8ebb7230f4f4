#include "ReportOptions.h"

#include "AppState.h"
#include "Connection.h"
#include "EditLimits.h"
#include "ListReportStatement.h"
#include "MessageBoxes.h"
#include "ModalScreens.h"
#include "PickOnlyFilter.h"
#include "ReportView.h"
#include "ScreenButton.h"
#include "StoreWork.h"
#include "clsSQL.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString Location = QStringLiteral("frmReportOptions");

QGroupBox *labelledFrame(const QString &name, const QString &label, QWidget *field, QWidget *parent)
{
    auto *frame = new QGroupBox(parent);
    frame->setObjectName(name);
    auto *layout = new QHBoxLayout(frame);
    auto *caption = new QLabel(label, frame);
    caption->setBuddy(field);
    layout->addWidget(caption);
    layout->addWidget(field, 1);
    return frame;
}

} // namespace

frmReportOptions::frmReportOptions(const QString &reportName, QWidget *parent)
    : QDialog(parent), m_reportName(reportName)
{
    setObjectName(Location);
    setWindowTitle(QStringLiteral("Report Options"));

    auto *yearLabel = new QLabel(QStringLiteral("Select Report Year:"), this);
    m_year = new QComboBox(this);
    m_year->setObjectName(QStringLiteral("cboYear"));
    yearLabel->setBuddy(m_year);
    PickOnlyFilter::install(m_year);

    auto *options = new QGroupBox(QStringLiteral("Options"), this);
    options->setObjectName(QStringLiteral("fraOptions"));
    m_all = new QRadioButton(QStringLiteral("All"), options);
    m_all->setObjectName(QStringLiteral("optAll"));
    m_gradeOption = new QRadioButton(QStringLiteral("Grade"), options);
    m_gradeOption->setObjectName(QStringLiteral("optGrade"));
    m_learnerOption = new QRadioButton(QStringLiteral("Learner"), options);
    m_learnerOption->setObjectName(QStringLiteral("optLearner"));
    m_learnerOption->setChecked(true);
    auto *optionLayout = new QHBoxLayout(options);
    for (QRadioButton *option : {m_all, m_gradeOption, m_learnerOption})
        optionLayout->addWidget(option);

    m_grade = new QComboBox(this);
    m_grade->setObjectName(QStringLiteral("cboGrade"));
    m_grade->setMinimumWidth(200);
    PickOnlyFilter::install(m_grade);
    m_gradeFrame = labelledFrame(QStringLiteral("fraGrade"), QStringLiteral("Grade:"), m_grade, this);
    m_gradeFrame->setVisible(false);
    m_accession = new QLineEdit(this);
    m_accession->setObjectName(QStringLiteral("txtAccession"));
    grid::LineEditLimit::attach(m_accession, AccessionLength);
    m_learnerFrame = labelledFrame(QStringLiteral("fraLearner"), QStringLiteral("Accession No:"), m_accession, this);

    m_print = screenButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Print"), true);
    QPushButton *done = screenButton(this, QStringLiteral("cmdDone"), QStringLiteral("Done"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    buttons->addWidget(done);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(yearLabel);
    layout->addWidget(m_year);
    layout->addWidget(options);
    layout->addWidget(m_gradeFrame);
    layout->addWidget(m_learnerFrame);
    layout->addLayout(buttons);
    // The screen takes the height of what it shows: hiding a frame closes
    // its space instead of leaving a hole above the buttons.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_all, &QRadioButton::clicked, this, &frmReportOptions::chooseAll);
    connect(m_gradeOption, &QRadioButton::clicked, this, &frmReportOptions::chooseGrade);
    connect(m_learnerOption, &QRadioButton::clicked, this, &frmReportOptions::chooseLearner);
    connect(m_print, &QPushButton::clicked, this, [this] { printReport(); });
    connect(done, &QPushButton::clicked, this, &QDialog::close);
}

QRadioButton *frmReportOptions::option(const QString &objectName) const
{
    return findChild<QRadioButton *>(objectName);
}

QPushButton *frmReportOptions::button(const QString &objectName) const
{
    return findChild<QPushButton *>(objectName);
}

void frmReportOptions::formLoad()
{
    FillYearList(m_year);
    if (m_reportName == QLatin1String("LearnerScoreSummary")) {
        m_all->setChecked(true);
        chooseAll();
    }
}

void frmReportOptions::setAccession(const QString &accession)
{
    m_accession->setText(accession);
}

void frmReportOptions::chooseAll()
{
    m_gradeFrame->setVisible(false);
    m_learnerFrame->setVisible(false);
    m_print->setFocus();
}

void frmReportOptions::chooseGrade()
{
    m_gradeFrame->setVisible(true);
    m_learnerFrame->setVisible(false);
    m_print->setFocus();
    if (m_grade->count() == 0)
        loadGrades();
}

void frmReportOptions::chooseLearner()
{
    m_gradeFrame->setVisible(false);
    m_learnerFrame->setVisible(true);
    m_accession->setFocus();
}

void frmReportOptions::loadGrades()
{
    ++m_gradeLoads;
    StoreWork::run(Location, QStringLiteral("qSchoolGrades"), [&](Connection &connection) {
        const Recordset rows = connection.query(clsSQL().qSchoolGrades());
        for (int row = 0; row < rows.recordCount(); ++row) {
            const QString name = rows.text(row, QStringLiteral("Name"));
            m_grades.append({rows.text(row, QStringLiteral("ID")), name});
            m_grade->addItem(name);
        }
    });
    m_grade->setCurrentIndex(-1);
}

bool frmReportOptions::printReport()
{
    if (!CheckReportYear(m_year))
        return false;
    QString repVar;
    const bool byGrade = !m_gradeFrame->isHidden();
    if (byGrade) {
        if (m_grade->currentText().trimmed().isEmpty()) {
            ShowUserMessage(QStringLiteral("Please select a Grade or choose another option"));
            m_grade->setFocus();
            return false;
        }
        repVar = QString::number(LookupCodeByText(m_grade->currentText(), m_grades));
    } else if (!m_learnerFrame->isHidden()) {
        if (m_accession->text().trimmed().isEmpty()) {
            ShowUserMessage(QStringLiteral("Please enter the Assession Number or select another option"));
            m_accession->setFocus();
            return false;
        }
        repVar = m_accession->text();
    }
    appState().ReportYear = m_year->currentText().trimmed().toInt();

    frmReportview viewer(this);
    viewer.setRepVar(repVar);
    viewer.setReportMode(m_reportName == QLatin1String("LearnerScoreSummary") ? ReportModes::ScoreSummary
                                                                              : ReportModes::MainReport);
    viewer.setRepGrade(byGrade);
    viewer.formLoad();
    ModalScreens::show(viewer);
    return true;
}
