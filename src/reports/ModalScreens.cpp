#include "ModalScreens.h"

#include <QDialog>

namespace ModalScreens {

namespace {
Observer &observerSlot()
{
    static Observer observer;
    return observer;
}
}

void setObserver(Observer observer)
{
    observerSlot() = std::move(observer);
}

void show(QDialog &screen)
{
    if (observerSlot())
        observerSlot()(screen);
    else
        screen.exec();
}

} // namespace ModalScreens
