#pragma once

#include <QObject>

// Discards typed characters on a list, so a value can only be picked (with the
// mouse, the arrow keys or the list's own drop-down), never typed.
class PickOnlyFilter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Installs a filter owned by widget on widget.
    static void install(QObject *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
