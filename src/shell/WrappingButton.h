#pragma once

#include <QPushButton>

// A push button whose caption wraps onto as many lines as its width needs,
// for the long captions of the main menu.
class WrappingButton : public QPushButton
{
    Q_OBJECT
public:
    explicit WrappingButton(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
