#include "MultipleDisabilities.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "EnterPressesButton.h"
#include "EditLimits.h"
#include "MessageBoxes.h"

#include <QDateEdit>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString ScreenName = QStringLiteral("frmMultipleDisabilities");
constexpr int KeyRole = Qt::UserRole;           // "K" + the disability's id
constexpr int PrimaryRole = Qt::UserRole + 1;   // the red item
constexpr int KNumberLength = 50;
constexpr int NoneTicked = 0;               // the disability of the row kept when none is ticked

// Testdate comes back as the ISO text it was written as (a date and time
// written by the host reads as well).
QDate storedDate(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return value.toDate();
    const QString text = value.toString().trimmed();
    QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    if (!date.isValid())
        date = QDateTime::fromString(text, Qt::ISODate).date();
    return date;
}

QLineEdit *readOnlyBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

frmMultipleDisabilities::frmMultipleDisabilities(QWidget *parent)
    : StoreScreen(ScreenName,
                  QStringLiteral("The learner's additional disabilities could not be read, so they cannot be saved "
                                 "from this window. Close it and open it again once the database can be reached."),
                  parent)
    , txtLearner(readOnlyBox(QStringLiteral("txtLearner"), this))
    , txtPrimary(readOnlyBox(QStringLiteral("txtPrimary"), this))
    , txtKNumber(new QLineEdit(this))
    , dtTest(new QDateEdit(this))
    , lvwDisabilities(new QTreeWidget(this))
    , cmdDone(new QPushButton(QStringLiteral("Done"), this))
{
    setWindowTitle(QStringLiteral("Multiple Disabilities per Learner"));
    setModal(true);
    resize(520, 560);

    txtKNumber->setObjectName(QStringLiteral("txtKNumber"));
    grid::LineEditLimit::attach(txtKNumber, KNumberLength);
    dtTest->setObjectName(QStringLiteral("dtTest"));
    dtTest->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtTest->setCalendarPopup(true);
    dtTest->setDate(QDate::currentDate());

    lvwDisabilities->setObjectName(QStringLiteral("lvwDisabilities"));
    lvwDisabilities->setColumnCount(1);
    lvwDisabilities->setHeaderLabels({QStringLiteral("Disability")});
    lvwDisabilities->setRootIsDecorated(false);
    lvwDisabilities->header()->setStretchLastSection(true);

    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDone->setAutoDefault(false);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Learner:"), txtLearner);
    fields->addRow(QStringLiteral("Primary Disability Barrier:"), txtPrimary);
    fields->addRow(QStringLiteral("K Number of learner:"), txtKNumber);
    fields->addRow(QStringLiteral("Date of testing:"), dtTest);

    auto *instruction = new QLabel(QStringLiteral("Please select all additional disability barriers for this learner"), this);
    auto *legend = new QLabel(QStringLiteral("Red indicates Primary Barrier "), this);
    QPalette red = legend->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    legend->setPalette(red);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton());
    buttons->addWidget(cmdDone);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(instruction);
    layout->addWidget(lvwDisabilities, 1);
    layout->addWidget(legend);
    layout->addWidget(loadFailedNotice());
    layout->addLayout(buttons);

    // The base made Save first; Tab still runs from the list to Save and Done.
    setTabOrder(lvwDisabilities, saveButton());
    setTabOrder(saveButton(), cmdDone);

    EnterPressesButton::install(this);

    connect(cmdDone, &QPushButton::clicked, this, &frmMultipleDisabilities::reject);
    connect(txtKNumber, &QLineEdit::textEdited, this, &frmMultipleDisabilities::markTyped);
    connect(dtTest, &QDateEdit::dateChanged, this, &frmMultipleDisabilities::markTyped);
    connect(lvwDisabilities, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *item, int) { itemChanged(item); });
}

void frmMultipleDisabilities::setLearner(const QString &learnerName)
{
    txtLearner->setText(learnerName);
}

void frmMultipleDisabilities::setPrimary(const QString &primaryName)
{
    txtPrimary->setText(primaryName);
}

void frmMultipleDisabilities::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_loaded)
        loadData();
}

bool frmMultipleDisabilities::loadData()
{
    m_loaded = true;
    m_loading = true;
    lvwDisabilities->clear();
    const bool completed =
        runLoad({{QStringLiteral("Get Disabilities Routine"), [this](Connection &db) { getDisabilities(db); }},
                 {QStringLiteral("Get Data Routine"), [this](Connection &db) {
                      getData(db);
                      m_rows.loaded(disabilityRows());
                      m_storedLearnerValues = learnerValues();
                  }}});
    m_loading = false;
    return completed;
}

bool frmMultipleDisabilities::isPrimaryItem(const QTreeWidgetItem *item)
{
    return item && item->data(0, PrimaryRole).toBool();
}

QTreeWidgetItem *frmMultipleDisabilities::itemForCode(int code) const
{
    for (int i = 0; i < lvwDisabilities->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = lvwDisabilities->topLevelItem(i);
        if (DropFirstChar(item->data(0, KeyRole).toString()).toInt() == code)
            return item;
    }
    return nullptr;
}

// Loading ---------------------------------------------------------------------

void frmMultipleDisabilities::getDisabilities(Connection &db)
{
    Recordset rs = db.query(QStringLiteral("Select * from disabilities order by id"));
    for (; !rs.eof(); rs.moveNext()) {
        auto *item = new QTreeWidgetItem(lvwDisabilities, {rs.text(QStringLiteral("Name"))});
        item->setData(0, KeyRole, QStringLiteral("K") + rs.text(QStringLiteral("id")).trimmed());
        item->setCheckState(0, Qt::Unchecked);
        if (rs.text(QStringLiteral("name")) == txtPrimary->text()) {
            // The primary barrier shows, but can be neither ticked nor selected.
            item->setData(0, PrimaryRole, true);
            item->setForeground(0, QColor(255, 0, 0));
            item->setFlags(item->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsSelectable));
        }
    }
}

void frmMultipleDisabilities::getData(Connection &db)
{
    Recordset rs = db.query(QStringLiteral("Select * from Multipledisabilities where learnerid = ")
                            + learnerIdText());
    if (!rs.isEmpty()) {
        const QSignalBlocker blockDate(dtTest);
        if (!rs.isNull(QStringLiteral("Knumber")))
            txtKNumber->setText(rs.text(QStringLiteral("Knumber")));
        if (!rs.isNull(QStringLiteral("testdate"))) {
            const QDate date = storedDate(rs.value(QStringLiteral("testdate")));
            if (date.isValid())
                dtTest->setDate(date);
        }
    }
    m_rows.clear();
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.isNull(QStringLiteral("disabilityid")))
            continue;
        // The row saying "none ticked", and the ticked disabilities; a code
        // the list does not have (or the primary's) stays stored as it is.
        const int code = rs.value(QStringLiteral("disabilityid")).toInt();
        QTreeWidgetItem *item = code == NoneTicked ? nullptr : itemForCode(code);
        if (code == NoneTicked || (item && !isPrimaryItem(item))) {
            m_rows.show(code);
            if (item)
                item->setCheckState(0, Qt::Checked);
        }
    }
}

// Changes ---------------------------------------------------------------------

void frmMultipleDisabilities::itemChanged(QTreeWidgetItem *item)
{
    if (m_loading)
        return;
    if (isPrimaryItem(item)) {
        if (item->checkState(0) != Qt::Unchecked) {
            const QSignalBlocker block(lvwDisabilities);
            item->setCheckState(0, Qt::Unchecked);
        }
        item->setSelected(false);
        return;
    }
    markChanged();
}

void frmMultipleDisabilities::markTyped()
{
    if (!m_loading)
        markChanged();
}

// Saving ----------------------------------------------------------------------

QVector<StoreRoutine> frmMultipleDisabilities::saveRoutines()
{
    return {{QStringLiteral("Save Data Routine"), [this](Connection &db) { saveData(db); }, [this] {
                 m_rows.committed();
                 m_storedLearnerValues = learnerValues();
             }}};
}

void frmMultipleDisabilities::confirmSaved()
{
    ShowDataSaved();
}

void frmMultipleDisabilities::saveData(Connection &db)
{
    // A new K number or date goes on every row of the learner, the ones the
    // list cannot show (a code it does not have, the primary's) too, so the
    // window never opens on an older K number again.
    const ShownRows::Values learner = learnerValues();
    if (learner != m_storedLearnerValues) {
        db.execute(QStringLiteral("UPDATE MultipleDisabilities SET Knumber = ") + learner.value(QStringLiteral("Knumber"))
                   + QStringLiteral(", Testdate = ") + learner.value(QStringLiteral("Testdate"))
                   + QStringLiteral(" WHERE LearnerID = ") + learnerIdText());
    }
    m_rows.save(db, disabilityRows(), ShownRows::learnerOnly());
}

ShownRows::Values frmMultipleDisabilities::learnerValues() const
{
    return {{QStringLiteral("Knumber"), ShownRows::quoted(txtKNumber->text())},
            {QStringLiteral("Testdate"), QLatin1Char('#') + dtTest->date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('#')}};
}

// One row per ticked disability, each with the K number and the date; a row
// with disability 0 when none is ticked.
ShownRows::Places frmMultipleDisabilities::disabilityRows() const
{
    const ShownRows::Values common = learnerValues();
    ShownRows::Places rows;
    bool anyTicked = false;
    for (int i = 0; i < lvwDisabilities->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = lvwDisabilities->topLevelItem(i);
        if (isPrimaryItem(item))
            continue;
        const int code = DropFirstChar(item->data(0, KeyRole).toString()).toInt();
        ShownRows::Place row{common, item->checkState(0) == Qt::Checked};
        row.values.insert(QStringLiteral("DisabilityID"), QString::number(code));
        rows.insert(code, row);
        anyTicked = anyTicked || row.holdsData;
    }
    ShownRows::Place none{common, !anyTicked};
    none.values.insert(QStringLiteral("DisabilityID"), QString::number(NoneTicked));
    rows.insert(NoneTicked, none);
    return rows;
}

void frmMultipleDisabilities::reject()
{
    if (mayLeave())
        QDialog::reject();
}
