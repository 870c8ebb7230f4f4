#include "AdminScreens.h"

#include "AdminCommand.h"
#include "MessageBoxes.h"
#include "TextRoutines.h"

namespace AdminScreens {

const int &countErrorReports()
{
    static int errorReports = 0;
    errorReports = 0;
    setMessageResponder([](const MessageBoxCall &call) {
        Admin::printError(QStringLiteral("[") + call.title + QStringLiteral("] ")
                          + plainLineBreaks(call.text));
        if (call.picture == Picture::Error)
            ++errorReports;
        return ((call.buttons & 7) == MsgCode::YesNo) ? MsgCode::AnswerNo : MsgCode::AnswerOk;
    });
    return errorReports;
}

} // namespace AdminScreens
