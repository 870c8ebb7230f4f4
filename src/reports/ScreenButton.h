#pragma once

#include <QPushButton>

// The accession number a report screen asks for: the host's column takes 255
// characters, counted as the store counts them.
constexpr int AccessionLength = 255;

// A named button of a report screen. Enter presses only the screen's default
// button (its Print), never whichever button last had the focus.
inline QPushButton *screenButton(QWidget *parent, const QString &objectName, const QString &text, bool isDefault = false)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setDefault(isDefault);
    return button;
}
