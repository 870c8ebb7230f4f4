#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace grid {

class LimitNotice;

// Text limits on editors as the store counts them (TextLimit): an edit that
// would pass the limit keeps as much of what it put in as fits, in whole
// characters, and never cuts the text around it; NUL characters are removed.
// The editors' own maximum counts halves of characters and cuts from the end,
// so it is never used. Near the limit, and whenever an edit did not fit, a
// LimitNotice under the editor says so.

// For a text box. Text the program sets (a loaded value) is shown whole and
// sets how long an edit of it may be: a loaded text over the limit may be
// shortened, never lengthened.
class LineEditLimit : public QObject
{
public:
    // The limiter lives as long as the box. cellLimit <= 0: no limit.
    static void attach(QLineEdit *edit, int cellLimit);

private:
    LineEditLimit(QLineEdit *edit, int cellLimit);
    void holdText(const QString &text);

    QLineEdit *m_edit;
    int m_cellLimit;
    int m_limit;
    QString m_before;
    LimitNotice *m_notice = nullptr;
    bool m_holding = false;
};

// For a multi-line cell editor, whose limit is fixed when it opens (from the
// cell's own and the length of the text it opens with). Line breaks count two
// characters, as they are stored.
class PlainTextLimit : public QObject
{
public:
    static void attach(QPlainTextEdit *edit, int limit);

private:
    PlainTextLimit(QPlainTextEdit *edit, int limit);
    void holdText();

    QPlainTextEdit *m_edit;
    int m_limit;
    QString m_before;
    LimitNotice *m_notice = nullptr;
};

} // namespace grid
