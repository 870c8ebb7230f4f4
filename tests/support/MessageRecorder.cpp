#include "MessageRecorder.h"

MessageRecorder::MessageRecorder()
{
    setMessageResponder([this](const MessageBoxCall &call) {
        m_calls.append(call);
        if (!m_answers.isEmpty())
            return m_answers.dequeue();
        if ((call.buttons & 7) == MsgCode::YesNo)
            return (call.buttons & MsgCode::DefaultButton2) ? MsgCode::AnswerNo : MsgCode::AnswerYes;
        return MsgCode::AnswerOk;
    });
}

MessageRecorder::~MessageRecorder()
{
    setMessageResponder({});
}

QStringList MessageRecorder::texts() const
{
    QStringList list;
    for (const MessageBoxCall &call : m_calls)
        list << call.text;
    return list;
}

QStringList MessageRecorder::titles() const
{
    QStringList list;
    for (const MessageBoxCall &call : m_calls)
        list << call.title;
    return list;
}

// A box's text contains the given text (an error report has three lines; a
// test usually names one of them).
bool MessageRecorder::sawText(const QString &text) const
{
    for (const MessageBoxCall &call : m_calls) {
        if (call.text.contains(text))
            return true;
    }
    return false;
}
