#include "PickOnlyFilter.h"

#include <QKeyEvent>

void PickOnlyFilter::install(QObject *widget)
{
    widget->installEventFilter(new PickOnlyFilter(widget));
}

bool PickOnlyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Space still opens the list; every other printable key is dropped.
        if (!text.isEmpty() && text.at(0).isPrint() && key->key() != Qt::Key_Space)
            return true;
    }
    return QObject::eventFilter(watched, event);
}
