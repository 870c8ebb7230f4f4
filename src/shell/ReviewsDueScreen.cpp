#include "ReviewsDueScreen.h"

#include "AppState.h"
#include "EnterPressesButton.h"
#include "HourglassCursor.h"
#include "PrintPreview.h"
#include "ReviewsTableModel.h"
#include "ReviewsDuePage.h"
#include "SectionNavigator.h"
#include "StoreWork.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int LineRole = ReviewsTableModel::LineRole;
const QString AllGrades = QStringLiteral("All grades");

// The learner context belongs to the learner list: opening an ISP from here
// borrows it and gives it back.
class BorrowedLearner
{
public:
    explicit BorrowedLearner(const ReviewLine &line) : m_saved(appState())
    {
        AppState &state = appState();
        state.CurrentLearnerID = line.learnerId;
        state.CurrentLearnerName = line.learnerName;
        state.CurrentAccessionNo = line.accessionNo;
        state.CurrentLearnerDOB = line.birthDate;
    }
    ~BorrowedLearner()
    {
        AppState &state = appState();
        state.CurrentLearnerID = m_saved.CurrentLearnerID;
        state.CurrentLearnerName = m_saved.CurrentLearnerName;
        state.CurrentAccessionNo = m_saved.CurrentAccessionNo;
        state.CurrentLearnerDOB = m_saved.CurrentLearnerDOB;
    }
    BorrowedLearner(const BorrowedLearner &) = delete;
    BorrowedLearner &operator=(const BorrowedLearner &) = delete;

private:
    AppState m_saved;
};

} // namespace

// A row is shown when its grade is the chosen one and any of its cells holds
// the filter text, ignoring case.
class ReviewsFilter : public QSortFilterProxyModel
{
public:
    explicit ReviewsFilter(ReviewsTableModel *model, QObject *parent) : QSortFilterProxyModel(parent), m_model(model)
    {
        setSourceModel(model);
    }

    void setGrade(const QString &grade)
    {
        m_grade = grade;
        invalidateFilter();
    }
    void setText(const QString &text)
    {
        m_text = text;
        invalidateFilter();
    }

protected:
    bool lessThan(const QModelIndex &a, const QModelIndex &b) const override
    {
        return m_model->sortsBefore(a.row(), b.row(), a.column());
    }

    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        if (parent.isValid())
            return false;
        if (!m_grade.isNull() && m_model->text(row, ReviewsTableModel::GradeColumn) != m_grade)
            return false;
        if (m_text.isEmpty())
            return true;
        for (int col = 0; col < m_model->columnCount(); ++col) {
            if (m_model->text(row, col).contains(m_text, Qt::CaseInsensitive))
                return true;
        }
        return false;
    }

private:
    const ReviewsTableModel *m_model;
    QString m_grade;   // null: every grade
    QString m_text;
};

frmReviewsDue::frmReviewsDue(const QDate &today, QWidget *parent)
    : QDialog(parent), m_today(today)
{
    setObjectName(QStringLiteral("frmReviewsDue"));
    setWindowTitle(QStringLiteral("Reviews Due"));
    resize(1100, 680);

    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("lblCounts"));
    m_counts->setWordWrap(true);

    m_grade = new QComboBox(this);
    m_grade->setObjectName(QStringLiteral("cboGrade"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("txtFilter"));
    m_text->setPlaceholderText(QStringLiteral("Show only rows containing..."));
    m_text->setClearButtonEnabled(true);
    auto *gradeLabel = new QLabel(QStringLiteral("&Grade:"), this);
    gradeLabel->setBuddy(m_grade);
    auto *textLabel = new QLabel(QStringLiteral("&Find:"), this);
    textLabel->setBuddy(m_text);

    m_model = new ReviewsTableModel(this);
    m_filter = new ReviewsFilter(m_model, this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("lstReviews"));
    m_view->setModel(m_filter);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    m_view->horizontalHeader()->setResizeContentsPrecision(200);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(ReviewsTableModel::GroupColumn, Qt::AscendingOrder);

    auto makeButton = [this](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *open = makeButton(QStringLiteral("cmdOpenISP"), QStringLiteral("&Open ISP"));
    QPushButton *print = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("&Print..."));
    QPushButton *close = makeButton(QStringLiteral("cmdClose"), QStringLiteral("Close"));

    auto *filters = new QHBoxLayout;
    filters->addWidget(gradeLabel);
    filters->addWidget(m_grade);
    filters->addSpacing(12);
    filters->addWidget(textLabel);
    filters->addWidget(m_text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addWidget(print);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_counts);
    layout->addLayout(filters);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    EnterPressesButton::install(this);

    connect(m_grade, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_filter->setGrade(index <= 0 ? QString() : m_grade->itemText(index));
        showCounts();
    });
    connect(m_text, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_filter->setText(text);
        showCounts();
    });
    // Enter and a double-click both activate a row.
    connect(m_view, &QTableView::activated, this, [this](const QModelIndex &index) { openRow(index.row()); });
    connect(open, &QPushButton::clicked, this, [this] {
        if (m_view->currentIndex().isValid())
            openRow(m_view->currentIndex().row());
    });
    connect(print, &QPushButton::clicked, this, &frmReviewsDue::printList);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

frmReviewsDue::~frmReviewsDue() = default;

bool frmReviewsDue::load()
{
    const bool read = StoreWork::run(objectName(), QStringLiteral("getReviews Routine"), [this](Connection &db) {
        HourglassCursor hourglass;
        m_list = ReviewsDue::load(db, appState().CurrentDataYear, m_today);
    });
    if (read) {
        fillModel();
        fillGrades();
    }
    showCounts();
    return read;
}

void frmReviewsDue::fillModel()
{
    m_model->setList(m_list);
    // Sized to the first list; a list read again keeps the widths the user sees.
    if (m_columnsSized)
        return;
    m_columnsSized = true;
    m_view->resizeColumnsToContents();
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_view->setColumnWidth(c, std::min(m_view->columnWidth(c), 260));
}

void frmReviewsDue::fillGrades()
{
    const QString chosen = m_grade->currentIndex() > 0 ? m_grade->currentText() : QString();
    QStringList grades;
    for (const ReviewLine &line : std::as_const(m_list.lines)) {
        if (!grades.contains(line.grade))
            grades << line.grade;
    }
    std::sort(grades.begin(), grades.end());
    const QSignalBlocker blocker(m_grade);
    m_grade->clear();
    m_grade->addItem(AllGrades);
    m_grade->addItems(grades);
    m_grade->setCurrentIndex(std::max(0, int(m_grade->findText(chosen))));
    if (chosen.isNull() || m_grade->currentIndex() == 0)
        m_filter->setGrade(QString());
}

QVector<int> frmReviewsDue::shownLines() const
{
    QVector<int> lines;
    for (int r = 0; r < m_filter->rowCount(); ++r)
        lines << m_filter->index(r, 0).data(LineRole).toInt();
    return lines;
}

ReviewsDueList frmReviewsDue::shownList() const
{
    ReviewsDueList shown = m_list;
    shown.lines.clear();
    QVector<int> lines = shownLines();
    std::sort(lines.begin(), lines.end());
    for (int line : std::as_const(lines))
        shown.lines.append(m_list.lines.at(line));
    return shown;
}

void frmReviewsDue::showCounts()
{
    GroupCounts shown {};
    for (int line : shownLines())
        ++shown[std::size_t(m_list.lines.at(line).group)];
    m_counts->setText(QStringLiteral("Reviews Due %1, as at %2 (%3 of %4 actions shown)\n")
                          .arg(m_list.year)
                          .arg(ReviewDate::shown(m_today))
                          .arg(m_filter->rowCount())
                          .arg(m_list.lines.size())
                      + ReviewsDueList::countsLine(shown));
}

void frmReviewsDue::openRow(int shownRow)
{
    const QModelIndex index = m_filter->index(shownRow, 0);
    if (!index.isValid())
        return;
    const ReviewLine line = m_list.lines.at(index.data(LineRole).toInt());
    {
        BorrowedLearner learner(line);
        SectionNavigator navigator(this);
        navigator.run(QStringLiteral("frmISP"), line.action - 1);
    }
    // The review may have been updated there: read the list again and stay
    // on the same action where it is still listed.
    load();
    for (int r = 0; r < m_filter->rowCount(); ++r) {
        if (m_list.lines.at(m_filter->index(r, 0).data(LineRole).toInt()).actionId == line.actionId) {
            m_view->setCurrentIndex(m_filter->index(r, 0));
            break;
        }
    }
    m_view->setFocus();
}

QString frmReviewsDue::filterNote() const
{
    QStringList parts;
    if (m_grade->currentIndex() > 0)
        parts << QStringLiteral("Grade: ") + m_grade->currentText();
    if (!m_text->text().isEmpty())
        parts << QStringLiteral("Containing: \"%1\"").arg(m_text->text());
    return parts.join(QStringLiteral("   "));
}

void frmReviewsDue::printList()
{
    const AppState &state = appState();
    PrintPreview preview(ReviewsDuePage::job(shownList(), {state.SchoolName, state.EmisCode, filterNote()}), this);
    preview.exec();
}
