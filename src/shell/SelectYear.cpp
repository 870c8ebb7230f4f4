#include "SelectYear.h"

#include "AccessImportFlow.h"
#include "AppState.h"
#include "CentralRoutines.h"
#include "ChangeFlag.h"
#include "MessageBoxes.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

frmSelectYear::frmSelectYear(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectYear"));
    setWindowTitle(QStringLiteral("SNA [Select Data Year]"));

    auto *label = new QLabel(QStringLiteral("Select Data Year:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    m_year = new QComboBox(this);
    m_year->setObjectName(QStringLiteral("cboYear"));
    m_year->setEditable(false);
    m_year->installEventFilter(this);
    FillYearList(m_year);

    m_continue = new QPushButton(QStringLiteral("Continue"), this);
    m_continue->setObjectName(QStringLiteral("cmdContinue"));
    m_continue->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Return to Harbrook"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    // A school's existing Access database is brought across before its year is chosen.
    auto *importAccess = new QPushButton(QStringLiteral("Import from Access database\u2026"), this);
    importAccess->setObjectName(QStringLiteral("cmdImportAccess"));
    importAccess->setAutoDefault(false);
    auto *version = new QLabel(QStringLiteral("Version 1.1 ( 27 August 2011)"), this);
    version->setObjectName(QStringLiteral("Label2"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_year, 0, 1);
    layout->addWidget(m_continue, 1, 0);
    layout->addWidget(m_cancel, 1, 1);
    layout->addWidget(importAccess, 2, 0, 1, 2);
    layout->addWidget(version, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_year, &QComboBox::activated, this, [this] {
        if (!m_year->currentText().trimmed().isEmpty())
            ChangeFlag::setBackColor(m_continue, QColor::fromRgb(ChangeFlag::Yellow));
    });
    connect(m_continue, &QPushButton::clicked, this, [this] {
        if (confirmYear())
            accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(importAccess, &QPushButton::clicked, this, [this] { AccessImportFlow(this).start(); });
}

bool frmSelectYear::confirmYear()
{
    const QString text = m_year->currentText().trimmed();
    if (text.isEmpty()) {
        ShowUserMessage(QStringLiteral("Please select Data year to continue."));
        m_year->setFocus();
        return false;
    }
    appState().CurrentDataYear = text.toInt();
    return true;
}

bool frmSelectYear::eventFilter(QObject *watched, QEvent *event)
{
    // Only listed years can be chosen: typed characters are discarded, while
    // the keys that open and walk the list still work.
    if (watched == m_year && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
