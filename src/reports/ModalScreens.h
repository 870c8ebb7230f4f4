#pragma once

#include <functional>

class QDialog;

// The report screens open one another modally through here, so a test can
// watch each screen that opens (its state, its dataset) instead of waiting in
// its modal loop.
namespace ModalScreens {

using Observer = std::function<void(QDialog &screen)>;

// An empty observer restores the modal loops.
void setObserver(Observer observer);

// Runs the screen's modal loop, or hands it to the observer.
void show(QDialog &screen);

} // namespace ModalScreens
