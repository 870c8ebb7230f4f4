#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

namespace grid {

// The one line beside a text editor with a limit that tells the user how much
// room is left once the text comes near the limit ("231 / 255"), and how much
// of a paste or typing did not fit. It floats just under the editor (over it
// when there is no room below), never takes a click or the focus, and shows
// only while the editor has the focus.
class LimitNotice : public QObject
{
public:
    // Lives as long as editor.
    explicit LimitNotice(QWidget *editor);
    ~LimitNotice() override;

    // The text now holds used of limit characters; leftOut is what the last
    // edit put in that did not fit (0: everything fitted).
    void report(int used, int limit, int leftOut);

    QLabel *label() const;

    // The notice's words; empty when there is nothing to say.
    static QString text(int used, int limit, int leftOut);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showOrHide();
    void place();

    QWidget *m_editor;
    QPointer<QLabel> m_label;
    QString m_text;
};

} // namespace grid
