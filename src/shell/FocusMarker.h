#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// A plain frame in the highlight colour around whichever control has the
// keyboard focus, so the user sees where a key goes on every control (the
// style's own focus marks are faint on some). Grids are left out: they frame
// their active cell themselves, and their cell editors sit in that frame.
class FocusMarker : public QObject
{
public:
    // The one marker of the program, following the focus from now on.
    static void install();

    static constexpr int Width = 2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FocusMarker() = default;
    void follow(QWidget *focused);
    void place();

    QPointer<QWidget> m_target;
    // Made in the target's parent; it goes with that parent.
    QPointer<QWidget> m_frame;
};
