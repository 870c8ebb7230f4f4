#pragma once

#include <QPixmap>
#include <QString>
#include <functional>

// Button and answer codes of the standard message box.
namespace MsgCode {
constexpr int OkOnly = 0;
constexpr int YesNo = 4;
constexpr int DefaultButton2 = 256;
constexpr int Information = 64;
constexpr int AnswerOk = 1;
constexpr int AnswerYes = 6;
constexpr int AnswerNo = 7;
}

// The program's own pictures, shown in place of the standard icons.
enum class Picture { None, Message, Question, Stop, Saved, Error, Learners };

struct MessageBoxCall
{
    QString text;
    QString title;
    int buttons = MsgCode::OkOnly;
    Picture picture = Picture::None;
};

// Shows a modal box and returns the answer code.
int ShowMessageBoxEx(const QString &text, int buttons, const QString &title, Picture picture);

void ShowUserMessage(const QString &text);
bool AskUserQuestion(const QString &text);   // false only when the answer is No
bool AskUserWarning(const QString &text);    // false only when the answer is No
void ShowDataSaved();

QPixmap picturePixmap(Picture picture, int size = 48);

// The seam through which tests (and the command line) see every box and answer
// it. An empty responder restores the real boxes.
using MessageResponder = std::function<int(const MessageBoxCall &)>;
void setMessageResponder(MessageResponder responder);
