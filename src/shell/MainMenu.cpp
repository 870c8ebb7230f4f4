#include "MainMenu.h"

#include "AppState.h"
#include "ChangeFlag.h"
#include "EnterPressesButton.h"
#include "LearnerFilePrint.h"
#include "LearnerSections.h"
#include "ScreenRegistry.h"
#include "SectionNavigator.h"
#include "WrappingButton.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QVBoxLayout>

frmSNA_Main::frmSNA_Main(QWidget *parent)
    : QDialog(parent)
    , m_stages(5)
{
    setObjectName(QStringLiteral("frmSNA_Main"));
    setModal(true);
    const AppState &state = appState();
    setWindowTitle(QStringLiteral("Support needs assessment [MAIN MENU] Learner : ") + state.CurrentLearnerName);

    m_learner = new QLabel(state.CurrentLearnerName + QStringLiteral(" : Acc Number: ") + state.CurrentAccessionNo, this);
    m_learner->setObjectName(QStringLiteral("lblLearner"));
    QFont bold = m_learner->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 1);
    m_learner->setFont(bold);
    m_learner->setGeometry(px(300), px(100), px(10000), px(300));

    auto *hint = new QLabel(QStringLiteral("CLICK on the MAIN MENU link to view the sub menu"), this);
    hint->setObjectName(QStringLiteral("Label2"));
    hint->setGeometry(px(300), px(420), px(9000), px(250));

    const QString stage12 = QStringLiteral("SNA (Sections 1 and 2) Support needs assessment");
    buildStage(1, QStringLiteral("STAGE 1"), QStringLiteral("cmdStage1"),
               QStringLiteral("Background and Diagnostic Profile"), QStringLiteral("fraStage1"), stage12);
    buildStage(2, QStringLiteral("STAGE 2"), QStringLiteral("cmdStage2"),
               QStringLiteral("Identify Barriers to Learning and ISP"), QStringLiteral("fraStage2"), stage12);
    buildStage(3, QStringLiteral("STAGE 3"), QStringLiteral("cmdStage3"),
               QStringLiteral("Assessment of support requirements"), QStringLiteral("fraStage3"),
               QStringLiteral("SNA (Sections 3a and 3b) Assessment of support requirements"));
    buildStage(4, QStringLiteral("STAGE 4"), QStringLiteral("cmdStage4"),
               QStringLiteral("Action plan for additional support provision and monitoring"),
               QStringLiteral("fraStage4"), QStringLiteral("SNA (Section 4) Action plan for additional support"));

    for (const LearnerSections::Section &section : LearnerSections::all())
        addSection(section.stage, section.button, section.title, section.firstScreen);

    // A frame's caption is read whole: where the font is wider than the
    // layout's twips allow for, the frame and the window grow to hold it.
    int widest = 0;
    for (int n = 1; n <= 4; ++n)
        widest = qMax(widest, frameWidth(n));
    setFixedSize(qMax(px(10600), px(4800) + widest + px(300)), px(6400));
    EnterPressesButton::install(this);

    auto *back = new QPushButton(QStringLiteral("Learner Selection"), this);
    back->setObjectName(QStringLiteral("cmdMainMenu"));
    back->setAutoDefault(false);
    back->setGeometry(px(8200), px(5600), px(2100), px(450));
    connect(back, &QPushButton::clicked, this, &QDialog::accept);

    auto *file = new QPushButton(QStringLiteral("Print Learner File"), this);
    file->setObjectName(QStringLiteral("cmdLearnerFile"));
    file->setAutoDefault(false);
    file->setGeometry(px(5900), px(5600), px(2100), px(450));
    connect(file, &QPushButton::clicked, this, [this] {
        LearnerFilePrint::run(this, appState().CurrentLearnerID, appState().CurrentDataYear);
    });
}

void frmSNA_Main::buildStage(int stage, const QString &label, const QString &buttonName,
                             const QString &buttonText, const QString &frameName, const QString &frameTitle)
{
    const int top = 800 + (stage - 1) * 1200;
    auto *caption = new QLabel(label, this);
    caption->setObjectName(QStringLiteral("Label%1").arg(stage + 2));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setGeometry(px(300), px(top), px(3800), px(250));

    Stage &s = m_stages[stage];
    s.button = new WrappingButton(buttonText, this);
    s.button->setObjectName(buttonName);
    s.button->setAutoDefault(false);
    s.button->setGeometry(px(300), px(top + 270), px(4200), px(600));
    s.button->setStyleSheet(QString());
    connect(s.button, &QPushButton::clicked, this, [this, stage] { show_Sub_Menu(stage); });

    // The connector from the stage button to its sub-menu.
    s.line = new QFrame(this);
    s.line->setObjectName(QStringLiteral("Line%1").arg(stage));
    s.line->setFrameShape(QFrame::HLine);
    s.line->setStyleSheet(QStringLiteral("color: #3060a0;"));
    s.line->setGeometry(px(4500), px(top + 560), px(300), px(30));
    s.line->hide();

    auto *frame = new QGroupBox(frameTitle, this);
    frame->setObjectName(frameName);
    new QVBoxLayout(frame);
    frame->hide();
    s.frame = frame;
}

void frmSNA_Main::addSection(int stage, const QString &buttonName, const QString &text, const QString &screenName)
{
    auto *button = new WrappingButton(text, m_stages[stage].frame);
    button->setObjectName(buttonName);
    button->setAutoDefault(false);
    button->setMinimumHeight(px(620));
    // A section whose screens are not part of the program yet stays disabled.
    button->setEnabled(ScreenRegistry::instance().contains(screenName));
    m_stages[stage].frame->layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, screenName] { openSection(screenName); });
}

void frmSNA_Main::show_Sub_Menu(int stage)
{
    if (stage < 1 || stage > 4)
        return;
    for (int n = 1; n <= 4; ++n) {
        Stage &s = m_stages[n];
        const bool shown = (n == stage);
        if (shown)
            s.frame->setGeometry(px(4800), px(700), frameWidth(n), px(2775));
        s.frame->setVisible(shown);
        s.line->setVisible(shown);
        ChangeFlag::setBackColor(s.button, shown ? QColor::fromRgb(ChangeFlag::Yellow) : QColor());
    }
}

int frmSNA_Main::frameWidth(int stage) const
{
    const QGroupBox *frame = m_stages[stage].frame;
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.lineWidth = 1;
    const QFontMetrics metrics = frame->fontMetrics();
    const QSize caption(metrics.horizontalAdvance(frame->title() + QLatin1Char(' ')), metrics.height());
    const int needed = frame->style()->sizeFromContents(QStyle::CT_GroupBox, &option, caption, frame).width();
    return qMax(px(stage <= 2 ? 4600 : 5450), needed);
}

QPushButton *frmSNA_Main::stageButton(int stage) const
{
    return (stage >= 1 && stage <= 4) ? m_stages[stage].button : nullptr;
}

QGroupBox *frmSNA_Main::stageFrame(int stage) const
{
    return (stage >= 1 && stage <= 4) ? m_stages[stage].frame : nullptr;
}

QPushButton *frmSNA_Main::sectionButton(const QString &objectName) const
{
    return findChild<QPushButton *>(objectName);
}

void frmSNA_Main::openSection(const QString &screenName)
{
    SectionNavigator navigator(this);
    navigator.run(screenName);
}
