#pragma once

class QWidget;

// Enter on a focused push button presses it, as Space does. The buttons of
// the program's windows are not auto-default, so that Enter in a grid or a
// text box never presses a button the user did not choose; without this,
// Enter on a focused button would do nothing and the keyboard could not
// finish the road. Buttons that handle Enter themselves (message boxes, a
// window's default button) keep doing so.
namespace EnterPressesButton {
void install(QWidget *window);
}
