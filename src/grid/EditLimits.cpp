#include "EditLimits.h"

#include "TextLimit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <limits>

namespace grid {

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
        return;
    }
    const TextLimit::HeldEdit held = TextLimit::holdEdit(m_before, text, m_limit);
    m_before = held.text;
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
    connect(edit, &QPlainTextEdit::textChanged, this, &PlainTextLimit::holdText);
}

void PlainTextLimit::holdText()
{
    const QString text = m_edit->toPlainText();
    const TextLimit::HeldEdit held = TextLimit::holdEdit(m_before, text, m_limit);
    m_before = held.text;
    if (held.text == text)
        return;
    const QSignalBlocker block(m_edit);
    m_edit->setPlainText(held.text);
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(int(held.cursor));
    m_edit->setTextCursor(cursor);
}

} // namespace grid
