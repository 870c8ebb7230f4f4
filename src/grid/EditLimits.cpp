#include "EditLimits.h"

#include "LimitNotice.h"
#include "TextLimit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <limits>

namespace grid {

namespace {

// Tells the user how full the box is and how much of an edit was left out.
void tell(LimitNotice *notice, const QString &edited, const QString &kept, int limit)
{
    if (!notice)
        return;
    const int used = TextLimit::storedLength(kept);
    notice->report(used, limit, qMax(0, TextLimit::storedLength(edited) - used));
}

} // namespace

void LineEditLimit::attach(QLineEdit *edit, int cellLimit)
{
    new LineEditLimit(edit, cellLimit);
}

LineEditLimit::LineEditLimit(QLineEdit *edit, int cellLimit)
    : QObject(edit)
    , m_edit(edit)
    , m_cellLimit(cellLimit)
    , m_limit(TextLimit::editLimit(cellLimit, edit->text()))
    , m_before(edit->text())
{
    edit->setMaxLength(std::numeric_limits<int>::max());
    if (cellLimit > 0)
        m_notice = new LimitNotice(edit);
    connect(edit, &QLineEdit::textChanged, this, &LineEditLimit::holdText);
}

void LineEditLimit::holdText(const QString &text)
{
    if (m_holding)
        return;
    // setText clears the modified flag; typing and pasting set it.
    if (!m_edit->isModified()) {
        m_limit = TextLimit::editLimit(m_cellLimit, text);
        m_before = text;
        tell(m_notice, text, text, m_limit);
        return;
    }
    const TextLimit::HeldEdit held = TextLimit::holdEdit(m_before, text, m_limit);
    m_before = held.text;
    tell(m_notice, text, held.text, m_limit);
    if (held.text == text)
        return;
    m_holding = true;
    m_edit->setText(held.text);
    m_edit->setModified(true);
    m_edit->setCursorPosition(int(held.cursor));
    m_holding = false;
}

void PlainTextLimit::attach(QPlainTextEdit *edit, int limit)
{
    new PlainTextLimit(edit, limit);
}

PlainTextLimit::PlainTextLimit(QPlainTextEdit *edit, int limit)
    : QObject(edit)
    , m_edit(edit)
    , m_limit(limit)
    , m_before(edit->toPlainText())
{
    if (limit > 0)
        m_notice = new LimitNotice(edit);
    tell(m_notice, m_before, m_before, limit);
    connect(edit, &QPlainTextEdit::textChanged, this, &PlainTextLimit::holdText);
}

void PlainTextLimit::holdText()
{
    const QString text = m_edit->toPlainText();
    const TextLimit::HeldEdit held = TextLimit::holdEdit(m_before, text, m_limit);
    m_before = held.text;
    tell(m_notice, text, held.text, m_limit);
    if (held.text == text)
        return;
    const QSignalBlocker block(m_edit);
    m_edit->setPlainText(held.text);
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(int(held.cursor));
    m_edit->setTextCursor(cursor);
}

} // namespace grid
