#pragma once

#include <QColor>

class QPushButton;

// A screen's Save button carries its change flag in its back colour: yellow
// (65535 in the host's colour numbers) means unsaved changes.
namespace ChangeFlag {
constexpr QRgb Yellow = 0xFFFFFF00;     // red 255, green 255, blue 0

void setBackColor(QPushButton *button, const QColor &color);   // invalid = button face
void markChanged(QPushButton *button);
void markSaved(QPushButton *button);
bool isChanged(const QPushButton *button);
QColor backColor(const QPushButton *button);
}
