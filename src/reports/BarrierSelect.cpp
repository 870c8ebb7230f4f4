#include "BarrierSelect.h"

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

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Location = QStringLiteral("frmBarrierSelect");

QCheckBox *checkedBox(const QString &name, const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(true);
    return box;
}

QComboBox *pickOnlyList(const QString &name, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEnabled(false);
    list->setMinimumWidth(260);
    PickOnlyFilter::install(list);
    return list;
}

// A frame with its "All ..." box above a label and its list.
QGroupBox *selectionFrame(const QString &name, const QString &title, QCheckBox *all, const QString &label,
                          QComboBox *list, QWidget *parent)
{
    auto *frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    auto *layout = new QGridLayout(frame);
    layout->addWidget(all, 0, 0, 1, 2);
    auto *caption = new QLabel(label, frame);
    caption->setBuddy(list);
    layout->addWidget(caption, 1, 0);
    layout->addWidget(list, 1, 1);
    return frame;
}

} // namespace

frmBarrierSelect::frmBarrierSelect(const QString &formMode, QWidget *parent)
    : QDialog(parent), m_formMode(formMode)
{
    setObjectName(Location);
    setWindowTitle(QStringLiteral("SNA [ BARRIER/LEARNER SELECTION ]"));

    m_allBarriers = checkedBox(QStringLiteral("chkAllBarriers"), QStringLiteral("All Barriers"), this);
    m_barrier = pickOnlyList(QStringLiteral("cboBarrier"), this);
    m_barrierFrame = selectionFrame(QStringLiteral("fraBarrier"), QStringLiteral("Primary Barrier Selection"),
                                    m_allBarriers, QStringLiteral("Barrier:"), m_barrier, this);
    m_allProviders = checkedBox(QStringLiteral("chkAllProviders"), QStringLiteral("All Responsible Providers"), this);
    m_provider = pickOnlyList(QStringLiteral("cboProvider"), this);
    m_providerFrame = selectionFrame(QStringLiteral("fraProvider"), QStringLiteral("Responsible Provider Selection"),
                                     m_allProviders, QStringLiteral("Person:"), m_provider, this);

    m_allLearners = checkedBox(QStringLiteral("chkAllLearners"), QStringLiteral("All Learners"), this);
    m_accession = new QLineEdit(this);
    m_accession->setObjectName(QStringLiteral("txtAccession"));
    m_accession->setEnabled(false);
    grid::LineEditLimit::attach(m_accession, AccessionLength);
    auto *accessionLabel = new QLabel(QStringLiteral("Learner Ass Number:"), this);
    accessionLabel->setBuddy(m_accession);

    QPushButton *print = screenButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Print Report"), true);
    QPushButton *done = screenButton(this, QStringLiteral("cmdDone"), QStringLiteral("Done"));

    auto *learnerRow = new QHBoxLayout;
    learnerRow->addWidget(m_allLearners);
    learnerRow->addWidget(accessionLabel);
    learnerRow->addWidget(m_accession, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(done);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_barrierFrame);
    layout->addWidget(m_providerFrame);
    layout->addLayout(learnerRow);
    layout->addLayout(buttons);

    bindAllBox(m_allBarriers, m_barrier);
    bindAllBox(m_allProviders, m_provider);
    bindAllBox(m_allLearners, m_accession);
    connect(print, &QPushButton::clicked, this, [this] { printReport(); });
    connect(done, &QPushButton::clicked, this, &QDialog::close);
}

QPushButton *frmBarrierSelect::button(const QString &objectName) const
{
    return findChild<QPushButton *>(objectName);
}

void frmBarrierSelect::bindAllBox(QCheckBox *box, QWidget *field)
{
    connect(box, &QCheckBox::toggled, this, [field](bool all) {
        if (auto *list = qobject_cast<QComboBox *>(field))
            list->setCurrentIndex(-1);
        else if (auto *text = qobject_cast<QLineEdit *>(field); text && all)
            text->clear();
        field->setEnabled(!all);
        if (!all)
            field->setFocus();
    });
}

StoreRoutine frmBarrierSelect::fillList(QComboBox *list, const QString &sql, const QString &column)
{
    list->clear();
    return {QStringLiteral("Form_Load"), [list, sql, column](Connection &connection) {
        const Recordset rows = connection.query(sql);
        for (int row = 0; row < rows.recordCount(); ++row)
            list->addItem(rows.text(row, column));
    }};
}

void frmBarrierSelect::formLoad()
{
    // Both lists on one connection: a store out of reach is one report, not
    // one per list.
    StoreWork::load(Location, {
        fillList(m_barrier, QStringLiteral("SELECT DISTINCT Disabilities.Name as Disability ") + QStringLiteral("FROM Disabilities"),
                 QStringLiteral("Disability")),
        // The providers recorded in the data year chosen at start.
        fillList(m_provider, QStringLiteral("SELECT DISTINCT Name_Of_Provider ")
                     + QStringLiteral("FROM SNE_Learner_Background_Info WHERE Data_Year = ")
                     + QString::number(appState().CurrentDataYear) + QStringLiteral(" Group By Name_Of_Provider"),
                 QStringLiteral("Name_Of_Provider")),
    });
    // Nothing is chosen until the user picks.
    m_barrier->setCurrentIndex(-1);
    m_provider->setCurrentIndex(-1);
    if (m_formMode == ReportModes::LearnerSummary) {
        m_barrierFrame->setVisible(true);
        m_providerFrame->setVisible(false);
    } else if (m_formMode == ReportModes::LearnerList) {
        m_barrierFrame->setVisible(false);
        m_providerFrame->setVisible(true);
    }
}

QString frmBarrierSelect::printReport()
{
    if (!m_allBarriers->isChecked() && m_barrier->currentText().isEmpty()) {
        ShowUserMessage(QStringLiteral("Please select the Barrier from the list or select All Barriers"));
        m_barrier->setFocus();
        return QString();
    }
    // An unticked provider box with no provider chosen would list nobody.
    if (!m_allProviders->isChecked() && m_provider->currentText().isEmpty()) {
        ShowUserMessage(QStringLiteral("Please select the Responsible Provider from the list or select All Responsible Providers"));
        m_provider->setFocus();
        return QString();
    }
    if (!m_allLearners->isChecked() && m_accession->text().trimmed().isEmpty()) {
        ShowUserMessage(QStringLiteral("Please enter the Assession Number or select All Learner"));
        m_accession->setFocus();
        return QString();
    }

    ListReportFilter filter;
    filter.formMode = m_formMode;
    filter.reportYear = appState().ReportYear;
    filter.currentDataYear = appState().CurrentDataYear;
    if (!m_allBarriers->isChecked())
        filter.barrier = m_barrier->currentText();
    if (!m_allProviders->isChecked())
        filter.provider = m_provider->currentText();
    if (!m_allLearners->isChecked())
        filter.accession = m_accession->text();
    const QString sql = listReportStatement(filter);

    frmReportview viewer(this);
    viewer.setSQL(sql);
    viewer.setReportMode(m_formMode);
    viewer.formLoad();
    ModalScreens::show(viewer);
    return sql;
}
