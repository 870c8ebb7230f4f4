#pragma once

#include <QWidget>

class QGroupBox;
class QPushButton;
namespace grid { class SpreadGrid; }

// The rating key of the Section 3a screens: a button that shows or hides the
// frame explaining Level 1 to Level 5, and the frame itself.
class RatingKey : public QWidget
{
    Q_OBJECT
public:
    explicit RatingKey(QWidget *parent = nullptr);

    QPushButton *button() const { return m_button; }
    bool isKeyShown() const;
    void toggle();

private:
    void fillKey();

    QPushButton *m_button;
    QGroupBox *m_frame;
    grid::SpreadGrid *m_key;
};
