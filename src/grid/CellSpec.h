#pragma once

#include <QColor>
#include <QDate>
#include <QString>
#include <QStringList>
#include <Qt>

namespace grid {

enum class CellType {
    Static,     // fixed text, never edited
    Edit,       // text with a maximum length, optionally word-wrapped
    CheckBox,   // text "1" when ticked, "0" when not
    ComboBox,   // drop-down list; the text is the chosen item
    Date,       // a date shown and held as dd/MM/yyyy
    Integer,    // a whole number within [minValue, maxValue], or empty
    Button      // a push button showing buttonText
};

// Everything one cell of a spread grid holds.
struct CellSpec
{
    CellType type = CellType::Edit;
    QString text;
    bool locked = false;
    int maxLength = 0;              // Edit: 0 = no limit
    bool wordWrap = true;           // Edit and Static
    QStringList items;              // ComboBox
    int minValue = 0;               // Integer
    int maxValue = 0;
    QDate minDate;                  // Date
    QDate maxDate;
    QString buttonText;             // Button
    QColor foreColor;               // invalid = default
    QColor backColor;               // invalid = default (white)
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
};

// A check box cell's text: "1" when ticked, "0" when not.
inline QString checkText(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

inline bool isChecked(const QString &checkBoxText)
{
    return checkBoxText.trimmed() == QLatin1String("1");
}

} // namespace grid
