#include "AdminScreens.h"

#include "AdminCommand.h"
#include "MessageBoxes.h"
#include "ScreenRegistry.h"
#include "Section3aScreens.h"
#include "Section3b4Screens.h"
#include "Stage1Screens.h"
#include "Stage2Screens.h"

namespace AdminScreens {

void registerAll()
{
    ScreenRegistry &registry = ScreenRegistry::instance();
    registerStage1Screens(registry);
    registerStage2Screens(registry);
    registerSection3aScreens(registry);
    registerSection3b4Screens(registry);
}

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
