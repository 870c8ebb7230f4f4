#include "AdminScreens.h"

#include "AdminCommand.h"
#include "MessageBoxes.h"

namespace AdminScreens {

const int &countErrorReports()
{
    static int errorReports = 0;
    errorReports = 0;
    setMessageResponder([](const MessageBoxCall &call) {
        Admin::printError(QStringLiteral("[") + call.title + QStringLiteral("] ")
                          + QString(call.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        if (call.picture == Picture::Error)
            ++errorReports;
        return ((call.buttons & 7) == MsgCode::YesNo) ? MsgCode::AnswerNo : MsgCode::AnswerOk;
    });
    return errorReports;
}

} // namespace AdminScreens
