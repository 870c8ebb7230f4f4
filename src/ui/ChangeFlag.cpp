#include "ChangeFlag.h"

#include <QPalette>
#include <QPushButton>

namespace {
const char *const BackColorProperty = "snaBackColor";
}

namespace ChangeFlag {

void setBackColor(QPushButton *button, const QColor &color)
{
    if (!button)
        return;
    button->setProperty(BackColorProperty, color);
    // The palette alone is ignored by some styles; a style sheet colours the
    // button everywhere, and an empty one gives the button face back.
    button->setStyleSheet(color.isValid()
                              ? QStringLiteral("QPushButton { background-color: %1; }").arg(color.name())
                              : QString());
}

void markChanged(QPushButton *button)
{
    setBackColor(button, QColor::fromRgb(Yellow));
}

void markSaved(QPushButton *button)
{
    setBackColor(button, QColor());
}

QColor backColor(const QPushButton *button)
{
    return button ? button->property(BackColorProperty).value<QColor>() : QColor();
}

bool isChanged(const QPushButton *button)
{
    const QColor color = backColor(button);
    return color.isValid() && color.rgb() == QColor::fromRgb(Yellow).rgb();
}

} // namespace ChangeFlag
