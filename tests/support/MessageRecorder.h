#pragma once

#include "MessageBoxes.h"

#include <QQueue>
#include <QVector>

// Records every message box while it lives and answers each from a script.
// A box with no scripted answer gets its default button: OK, or No for the
// Yes/No boxes whose default is the second button.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();

    void answerNext(int code) { m_answers.enqueue(code); }
    void answerYes() { answerNext(MsgCode::AnswerYes); }
    void answerNo() { answerNext(MsgCode::AnswerNo); }

    const QVector<MessageBoxCall> &calls() const { return m_calls; }
    int count() const { return int(m_calls.size()); }
    MessageBoxCall last() const { return m_calls.isEmpty() ? MessageBoxCall{} : m_calls.last(); }
    QStringList texts() const;
    QStringList titles() const;
    bool sawText(const QString &text) const;
    void clear() { m_calls.clear(); }

private:
    QVector<MessageBoxCall> m_calls;
    QQueue<int> m_answers;
};
