#include "RatingKey.h"

#include "SpreadGrid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using grid::SpreadModel;

namespace {

const QString ShowCaption = QStringLiteral(" Show rating KEY >>");
const QString HideCaption = QStringLiteral(" Hide rating KEY <<");

struct KeyRow
{
    const char *level;
    const char *name;
    const char *lines[4];
};

const KeyRow KeyRows[] = {
    {"Level 1", "Very Low",
     {"Low frequency intervention by ILST, specialist staff, DBST consultation - once per annum",
      "Low cost shared assistive devices", "Minimal adjustments needed",
      "Structures in place and minimal training needed"}},
    {"Level 2", "Low",
     {"Low frequency intervention by ILST, specialist staff, DBST consultation - once per term",
      "Low cost individual assistive devices", "Reasonable adjustments needed",
      "Structures not yet in place and training needed"}},
    {"Level 3", "Moderate",
     {"Moderate frequency intervention by ILST, specialist staff, DBST consultation - once per month",
      "Moderate cost individual assistive devices", "Moderate adjustments needed",
      "Structures not yet in place and a series of training needed to equip staff"}},
    {"Level 4", "High",
     {"High frequency intervention by ILST, specialist staff, DBST consultation - once per week",
      "High cost individual assistive devices", "High level of adjustments needed",
      "Structures not yet in place and substantial training needed to equip staff"}},
    {"Level 5", "Very High",
     {"High frequency intervention by ILST, specialist staff, DBST consultation - once per day",
      "High cost individual assistive devices needed to support several functions", "Extensive adjustments needed",
      "Specialised Structures and extensive staff training required"}},
};

} // namespace

RatingKey::RatingKey(QWidget *parent)
    : QWidget(parent)
    , m_button(new QPushButton(ShowCaption, this))
    , m_frame(new QGroupBox(QStringLiteral("To complete this section use the following rating KEY"), this))
    , m_key(new grid::SpreadGrid(3, 5, m_frame))
{
    m_button->setObjectName(QStringLiteral("cmdShowKEY"));
    m_button->setAutoDefault(false);
    m_frame->setObjectName(QStringLiteral("fraRatingKey"));
    m_key->setObjectName(QStringLiteral("vaSpread2"));
    m_key->setFitToContents(true);
    fillKey();

    auto *frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_key, 0, Qt::AlignLeft);
    m_frame->hide();

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_button);
    buttonRow->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttonRow);
    layout->addWidget(m_frame);

    connect(m_button, &QPushButton::clicked, this, &RatingKey::toggle);
}

bool RatingKey::isKeyShown() const
{
    return !m_frame->isHidden();
}

void RatingKey::toggle()
{
    const bool show = !isKeyShown();
    m_frame->setVisible(show);
    m_button->setText(show ? HideCaption : ShowCaption);
}

void RatingKey::fillKey()
{
    SpreadModel &cells = m_key->cells();
    cells.setColWidths({10, 12, 66});
    int row = 1;
    for (const KeyRow &key : KeyRows) {
        QStringList lines;
        for (const char *line : key.lines)
            lines << QString::fromLatin1(line);
        cells.setStatic(1, row, QString::fromLatin1(key.level));
        cells.setStatic(2, row, QString::fromLatin1(key.name));
        cells.setStatic(3, row, lines.join(QStringLiteral("\r\n")));
        cells.setBold(1, row, true);
        ++row;
    }
    cells.setBlockLocked(1, 1, 3, 5, true);
    m_key->applyLayout();
}
