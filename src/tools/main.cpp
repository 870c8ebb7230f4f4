// sna-admin: the administrators' companion of the program, built on the same
// libraries. Commands live in Admin*.cpp and register themselves.

#include "AdminCommand.h"
#include "MessageBoxes.h"
#include "TextRoutines.h"

#include <QApplication>

#include <memory>

namespace {

// No box may wait for a click on a machine nobody watches: each one is written
// to stderr and answered with its default button.
int answerOnConsole(const MessageBoxCall &call)
{
    Admin::printError(QStringLiteral("[") + call.title + QStringLiteral("] ") + plainLineBreaks(call.text));
    if ((call.buttons & 7) == MsgCode::YesNo)
        return (call.buttons & MsgCode::DefaultButton2) ? MsgCode::AnswerNo : MsgCode::AnswerYes;
    return MsgCode::AnswerOk;
}

} // namespace

int main(int argc, char *argv[])
{
    const AdminCommand *command = argc > 1 ? Admin::findCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    std::unique_ptr<QCoreApplication> application;
    if (command && !command->needsGui) {
        application = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        // Printing needs a GUI application, but never a screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("sna-admin"));
    setMessageResponder(&answerOnConsole);
    return Admin::run(QCoreApplication::arguments().mid(1));
}
