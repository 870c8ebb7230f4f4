#include "SelectLearner.h"

#include "AboutBox.h"
#include "AppState.h"
#include "CheckTables.h"
#include "DatabaseConnection.h"
#include "EnterPressesButton.h"
#include "MainMenu.h"
#include "MessageBoxes.h"
#include "PreviousYearAppend.h"
#include "ReportScreens.h"
#include "ReviewsDueScreen.h"
#include "SpreadGrid.h"
#include "StoreError.h"
#include "StoreWork.h"
#include "TableCheckReport.h"

#include <QButtonGroup>
#include <QDate>
#include <QGridLayout>
#include <QHeaderView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

namespace {
enum Column { ColId = 1, ColName, ColAccession, ColGrade, ColBirth };
}

frmSelectLearner::frmSelectLearner(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectLearner"));
    setWindowTitle(QStringLiteral("Select Learner"));
    resize(820, 640);

    auto *instruction = new QLabel(QStringLiteral("CLICK on the Learner name to select the Learner"), this);
    instruction->setObjectName(QStringLiteral("Label4"));
    QFont bold = instruction->font();
    bold.setBold(true);
    instruction->setFont(bold);

    m_current = new QRadioButton(QStringLiteral("Current"), this);
    m_current->setObjectName(QStringLiteral("optCurrent"));
    m_current->setToolTip(QStringLiteral("Display only Current Learners"));
    m_current->setChecked(true);
    m_archived = new QRadioButton(QStringLiteral("Archived"), this);
    m_archived->setObjectName(QStringLiteral("optArchived"));
    m_archived->setToolTip(QStringLiteral("Display only Archived Learners"));
    auto *statusGroup = new QButtonGroup(this);
    statusGroup->addButton(m_current);
    statusGroup->addButton(m_archived);

    m_number = new QLineEdit(this);
    m_number->setObjectName(QStringLiteral("txtNumber"));
    m_number->setReadOnly(true);
    m_number->setMaximumWidth(70);
    // A count to read, not a box to type in: it takes the window's colour.
    QPalette readOnly = m_number->palette();
    readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
    m_number->setPalette(readOnly);
    auto *numberLabel = new QLabel(QStringLiteral("Learners"), this);
    numberLabel->setObjectName(QStringLiteral("Label3"));

    buildGrid();
    auto *pickHint = new QLabel(QStringLiteral("Pick a learner with a click or a double-click, or with the arrow keys "
                                               "and Enter or Space."), this);
    pickHint->setObjectName(QStringLiteral("lblPickHint"));

    auto *searchLabel = new QLabel(QStringLiteral("Search for Learner in the list."), this);
    searchLabel->setObjectName(QStringLiteral("Label1"));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtSearch"));
    m_byAccession = new QRadioButton(QStringLiteral("Accession Number"), this);
    m_byAccession->setObjectName(QStringLiteral("optAssNo"));
    m_byAccession->setChecked(true);
    m_byName = new QRadioButton(QStringLiteral("Name"), this);
    m_byName->setObjectName(QStringLiteral("optName"));
    auto *searchGroup = new QButtonGroup(this);
    searchGroup->addButton(m_byAccession);
    searchGroup->addButton(m_byName);

    auto makeButton = [this](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *searchButton = makeButton(QStringLiteral("Command1"), QStringLiteral("Search"));
    QPushButton *support = makeButton(QStringLiteral("cmdSupport"), QStringLiteral("Support Needs Assessment"));
    QPushButton *roll = makeButton(QStringLiteral("cmdRoll"), QStringLiteral("Append Previous Year Information"));
    QPushButton *profile = makeButton(QStringLiteral("btnPrint"), QStringLiteral("Print Learner Profile"));
    QPushButton *reports = makeButton(QStringLiteral("cmdReports"), QStringLiteral("Reports"));
    QPushButton *reviews = makeButton(QStringLiteral("cmdReviewsDue"), QStringLiteral("Reviews Due"));
    // Reached with Tab (or Alt+A where the platform shows mnemonics).
    QPushButton *about = makeButton(QStringLiteral("cmdAbout"), QStringLiteral("&About"));
    QPushButton *done = makeButton(QStringLiteral("cmdMenu"), QStringLiteral("Done"));
    // The report screens sit above this library; their buttons work once the
    // program has said how to open them.
    const bool reportsKnown = bool(reportScreenOpeners().reports);
    profile->setEnabled(reportsKnown);
    reports->setEnabled(reportsKnown);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setFixedSize(64, 64);

    auto *top = new QHBoxLayout;
    top->addWidget(m_image);
    top->addWidget(instruction, 1);
    top->addWidget(m_current);
    top->addWidget(m_archived);
    top->addSpacing(12);
    top->addWidget(m_number);
    top->addWidget(numberLabel);

    auto *searchBox = new QGroupBox(this);
    auto *searchLayout = new QGridLayout(searchBox);
    searchLayout->addWidget(searchLabel, 0, 0, 1, 3);
    searchLayout->addWidget(m_search, 1, 0);
    searchLayout->addWidget(searchButton, 1, 1);
    searchLayout->addWidget(m_byAccession, 2, 0);
    searchLayout->addWidget(m_byName, 2, 1);

    auto *actions = new QVBoxLayout;
    for (QPushButton *b : {support, roll, profile, reports, reviews})
        actions->addWidget(b);
    actions->addStretch(1);
    actions->addWidget(about);
    actions->addWidget(done);

    auto *lower = new QHBoxLayout;
    lower->addWidget(searchBox, 1);
    lower->addLayout(actions);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addWidget(pickHint);
    layout->addLayout(lower);

    EnterPressesButton::install(this);

    connect(m_current, &QRadioButton::clicked, this, [this] { getLearners(); });
    connect(m_archived, &QRadioButton::clicked, this, [this] { getLearners(); });
    connect(m_grid, &grid::SpreadGrid::cellClicked, this, [this](int, int row) { pickLearner(row); });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        pickLearner(index.row() + 1);
    });
    connect(searchButton, &QPushButton::clicked, this, [this] { search(); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { search(); });
    connect(support, &QPushButton::clicked, this, &frmSelectLearner::openMainMenu);
    connect(roll, &QPushButton::clicked, this, &frmSelectLearner::appendPreviousYear);
    connect(profile, &QPushButton::clicked, this, &frmSelectLearner::printLearnerProfile);
    connect(reports, &QPushButton::clicked, this, &frmSelectLearner::openReports);
    connect(reviews, &QPushButton::clicked, this, &frmSelectLearner::openReviewsDue);
    connect(about, &QPushButton::clicked, this, [this] { AboutBox(this).exec(); });
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
}

void frmSelectLearner::buildGrid()
{
    m_grid = new grid::SpreadGrid(5, 0, this);
    m_grid->setObjectName(QStringLiteral("gridLearner"));
    grid::SpreadModel &cells = m_grid->cells();
    const QStringList headers = {QStringLiteral("ID"), QStringLiteral("Name of Learner"),
                                 QStringLiteral("Accession No"), QStringLiteral("Grade"), QStringLiteral("DOB")};
    for (int col = 1; col <= 5; ++col)
        cells.setHeaderText(col, headers.at(col - 1));
    cells.setColWidths({0, 26.75, 15, 16.37, 12});   // the ID column is hidden
    m_grid->setColumnHeaderVisible(true);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setKeysDiscarded(true);
}

QPushButton *frmSelectLearner::button(const QString &objectName) const
{
    return findChild<QPushButton *>(objectName);
}

bool frmSelectLearner::startUp()
{
    QString step;
    try {
        step = QStringLiteral("reading the settings entry");
        ReadDatabaseSetting();
        // The whole start-up is one operation on one connection.
        step = QStringLiteral("opening the database");
        std::unique_ptr<Connection> connection = Connection::open(appState().DatabasePath);
        step = QStringLiteral("checking the program's tables");
        ReportUpgradeFailures(CheckTables(*connection));
        step = QStringLiteral("reading the school's details");
        LoadSchoolDetails(*connection);
        step = QStringLiteral("listing the learners");
        fillLearners(*connection);
        return true;
    } catch (const std::exception &error) {
        showStartUpFailure(step, error);
        return false;
    }
}

void frmSelectLearner::showStartUpFailure(const QString &step, const std::exception &error)
{
    const auto *storeError = dynamic_cast<const StoreError *>(&error);
    QString text;
    if (storeError && storeError->number() == StoreError::NotASchoolDatabase) {
        // Already plain words naming the file; nothing to add.
        text = storeError->description();
    } else {
        const QString path = appState().DatabasePath.isEmpty()
            ? QStringLiteral("(no database is set up for this computer)")
            : appState().DatabasePath;
        const QString reason = storeError ? storeError->description() : QString::fromUtf8(error.what());
        text = QStringLiteral("The program cannot start: it failed while %1.\r\n\r\nDatabase: %2\r\n%3")
                   .arg(step, path, reason);
    }
    ShowMessageBoxEx(text, MsgCode::OkOnly, QStringLiteral("Select Learner"), Picture::Error);
}

bool frmSelectLearner::getLearners()
{
    // The list stays as it was when the store cannot be read; the failure is
    // reported once and the screen stays usable.
    const bool listed = StoreWork::run(objectName(), QStringLiteral("getLearners Routine"),
                                       [this](Connection &connection) { fillLearners(connection); });
    // The options say whose list is shown: after a failed switch that is
    // still the list from before.
    if (listed)
        m_listsArchived = m_archived->isChecked();
    else
        (m_listsArchived ? m_archived : m_current)->setChecked(true);
    return listed;
}

QString frmSelectLearner::learnersStatement(bool archived)
{
    const QString status = archived ? QStringLiteral("A") : QStringLiteral("C");
    return QStringLiteral("SELECT l.ID, l.FName, l.SName, s.Name as Grade, l.AccessionNo, l.BirthDate ")
        + QStringLiteral("FROM Learner_Info l ")
        + QStringLiteral("LEFT JOIN SchoolGrades s ON s.ID = l.Grade ")
        + QStringLiteral("WHERE l.Status = '") + status + QStringLiteral("' AND ")
        + QStringLiteral("(l.LSENStatus in (2,3) OR l.SocialGrantNo <> '') ")
        + QStringLiteral("ORDER BY l.SName");
}

void frmSelectLearner::fillLearners(Connection &connection)
{
    const Recordset rs = connection.query(learnersStatement(m_archived->isChecked()));

    grid::SpreadModel &cells = m_grid->cells();
    // A district's list holds thousands of learners: the grid hears of the
    // whole fill once, and measures and draws it once.
    grid::SpreadModel::BulkChange bulk(cells);
    cells.clearText(1, 1, 5, cells.maxRows());
    // The list always shows exactly the learners found, none included.
    const int count = rs.recordCount();
    m_number->setText(QString::number(count));
    cells.setMaxRows(count);
    cells.setBlockLocked(ColName, 1, ColBirth, count, true);
    const int id = rs.column(QStringLiteral("ID"));
    const int surname = rs.column(QStringLiteral("SName"));
    const int firstName = rs.column(QStringLiteral("FName"));
    const int accession = rs.column(QStringLiteral("AccessionNo"));
    const int grade = rs.column(QStringLiteral("Grade"));
    const int birth = rs.column(QStringLiteral("BirthDate"));
    for (int i = 0; i < count; ++i) {
        const int row = i + 1;
        cells.setText(ColId, row, rs.text(i, id));
        cells.setText(ColName, row, rs.text(i, surname).toUpper() + QLatin1Char(' ') + rs.text(i, firstName));
        cells.setText(ColAccession, row, rs.text(i, accession));
        cells.setText(ColGrade, row, rs.text(i, grade));
        cells.setText(ColBirth, row, rs.text(i, birth));
    }
}

void frmSelectLearner::pickLearner(int row)
{
    const grid::SpreadModel &cells = m_grid->cells();
    if (row < 1 || row > cells.maxRows())
        return;
    // The leading number of the ID text, 0 when there is none.
    const QString idText = cells.text(ColId, row).trimmed();
    int digits = 0;
    while (digits < idText.size() && (idText.at(digits).isDigit() || (digits == 0 && idText.at(0) == QLatin1Char('-'))))
        ++digits;
    const QString number = idText.left(digits);
    bool ok = false;
    const qint32 id = number.toInt(&ok);
    AppState &state = appState();
    if (!ok && !number.isEmpty() && number != QLatin1String("-")) {
        // A host ID beyond 32 bits would turn into another learner's (or 0):
        // refuse the pick, so nothing is loaded or saved under a wrong ID.
        clearPicked();
        state.CurrentLearnerID = 0;
        state.CurrentLearnerName.clear();
        state.CurrentAccessionNo.clear();
        state.CurrentLearnerDOB.clear();
        ShowUserMessage(QStringLiteral("The learner %1 has the identifier %2 in the school's database, which is too "
                                       "large for this program. The learner cannot be selected, and nothing is "
                                       "loaded or saved for this learner.")
                            .arg(cells.text(ColName, row).trimmed(), number));
        return;
    }
    for (int col = ColId; col <= ColBirth; ++col)
        m_picked[col - 1] = cells.text(col, row);
    state.CurrentLearnerID = ok ? id : 0;
    state.CurrentLearnerName = m_picked[1];
    state.CurrentAccessionNo = m_picked[2];
    state.CurrentLearnerDOB = m_picked[4];
}

int frmSelectLearner::search()
{
    const grid::SpreadModel &cells = m_grid->cells();
    if (cells.maxRows() < 1) {
        ShowUserMessage(QStringLiteral("You have no items to search for."));
        return 0;
    }
    if (m_search->text().trimmed().isEmpty()) {
        ShowUserMessage(QStringLiteral("You must enter a search term."));
        m_search->setFocus();
        return 0;
    }
    const int column = m_byName->isChecked() ? ColName : ColAccession;
    for (int row = 1; row <= cells.maxRows(); ++row) {
        if (cells.searchRow(row, column, column, m_search->text(), true) == column) {
            m_grid->setActiveCell(column, row);
            m_grid->setFocus();
            return row;
        }
    }
    ShowUserMessage(QStringLiteral("Your search word was not found."));
    return 0;
}

void frmSelectLearner::openMainMenu()
{
    if (m_picked[1].trimmed().isEmpty()) {
        ShowUserMessage(QStringLiteral("Please select the Learner to continue."));
        return;
    }
    frmSNA_Main menu(this);
    menu.exec();
    // Coming back from the main menu activates this screen again.
    clearPicked();
}

void frmSelectLearner::appendPreviousYear()
{
    // The clock's years, whatever data year was chosen at start.
    const qint32 year = QDate::currentDate().year();
    if (AskUserWarning(PreviousYearAppend::warningText(year)))
        AppendPreviousYear(year);
}

void frmSelectLearner::printLearnerProfile()
{
    if (const auto &open = reportScreenOpeners().learnerProfile)
        open(this, m_picked[2].trimmed().isEmpty() ? QString() : m_picked[2]);
}

void frmSelectLearner::openReports()
{
    if (const auto &open = reportScreenOpeners().reports)
        open(this);
}

void frmSelectLearner::openReviewsDue()
{
    frmReviewsDue reviews(QDate::currentDate(), this);
    if (reviews.load())
        reviews.exec();
}

void frmSelectLearner::clearPicked()
{
    for (QString &copy : m_picked)
        copy.clear();
    // No row may look picked when no learner is.
    m_grid->clearSelection();
    m_grid->setCurrentIndex(QModelIndex());
}

void frmSelectLearner::showEvent(QShowEvent *event)
{
    // The screen becomes active: nothing is picked until the user clicks.
    clearPicked();
    m_image->setPixmap(picturePixmap(Picture::Learners, 64));
    QDialog::showEvent(event);
}
