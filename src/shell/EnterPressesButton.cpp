#include "EnterPressesButton.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

// Watches the window for Enter that a focused button left unhandled: key
// events a widget ignores travel on to its window.
class EnterFilter : public QObject
{
public:
    explicit EnterFilter(QWidget *window) : QObject(window), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *button = qobject_cast<QPushButton *>(m_window->focusWidget());
        if (!button || !m_window->isAncestorOf(button) || !button->isEnabled() || !button->isVisible())
            return false;
        button->click();
        return true;
    }

private:
    QWidget *m_window;
};

} // namespace

namespace EnterPressesButton {

void install(QWidget *window)
{
    window->installEventFilter(new EnterFilter(window));
}

} // namespace EnterPressesButton
