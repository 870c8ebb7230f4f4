#include "MessageBoxes.h"
#include "TextRoutines.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

// The pictures are compiled into this static library; their resources must be
// registered before the first use.
static void registerPictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

MessageResponder &responderSlot()
{
    static MessageResponder responder;
    return responder;
}

QString pictureResource(Picture picture)
{
    switch (picture) {
    case Picture::Message: return QStringLiteral(":/pictures/message.svg");
    case Picture::Question: return QStringLiteral(":/pictures/question.svg");
    case Picture::Stop: return QStringLiteral(":/pictures/stop.svg");
    case Picture::Saved: return QStringLiteral(":/pictures/saved.svg");
    case Picture::Error: return QStringLiteral(":/pictures/error.svg");
    case Picture::Learners: return QStringLiteral(":/pictures/learners.svg");
    case Picture::None: break;
    }
    return QString();
}

// The platform box with our picture where the standard icon would be. Yes/No
// boxes have no Escape answer other than No, so closing the window answers No.
int showRealBox(const MessageBoxCall &call)
{
    QMessageBox box(QApplication::activeWindow());
    // A message is answered, not minimised or maximised, also where no window
    // of the program is active and the box stands alone.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box.setWindowTitle(call.title);
    box.setText(plainLineBreaks(call.text));
    box.setTextFormat(Qt::PlainText);
    if (call.picture != Picture::None)
        box.setIconPixmap(picturePixmap(call.picture));
    else
        box.setIcon(QMessageBox::Information);

    const bool yesNo = (call.buttons & 0xF) == MsgCode::YesNo;
    if (yesNo) {
        QPushButton *yes = box.addButton(QMessageBox::Yes);
        QPushButton *no = box.addButton(QMessageBox::No);
        box.setDefaultButton((call.buttons & MsgCode::DefaultButton2) ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MsgCode::AnswerYes : MsgCode::AnswerNo;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return MsgCode::AnswerOk;
}

} // namespace

QPixmap picturePixmap(Picture picture, int size)
{
    registerPictures();
    const QString resource = pictureResource(picture);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    if (resource.isEmpty())
        return pixmap;
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

void setMessageResponder(MessageResponder responder)
{
    responderSlot() = std::move(responder);
}

int ShowMessageBoxEx(const QString &text, int buttons, const QString &title, Picture picture)
{
    MessageBoxCall call{text, title, buttons, picture};
    if (responderSlot())
        return responderSlot()(call);
    return showRealBox(call);
}

void ShowUserMessage(const QString &text)
{
    ShowMessageBoxEx(text, MsgCode::OkOnly, QStringLiteral("User Message"), Picture::Message);
}

bool AskUserQuestion(const QString &text)
{
    return ShowMessageBoxEx(text, MsgCode::YesNo + MsgCode::DefaultButton2,
                            QStringLiteral("User Question?"), Picture::Question)
        != MsgCode::AnswerNo;
}

bool AskUserWarning(const QString &text)
{
    return ShowMessageBoxEx(text, MsgCode::YesNo + MsgCode::DefaultButton2,
                            QStringLiteral("User Warning"), Picture::Stop)
        != MsgCode::AnswerNo;
}

void ShowDataSaved()
{
    ShowMessageBoxEx(QStringLiteral("Your Information has been Saved."), MsgCode::OkOnly,
                     QStringLiteral("Data Saved"), Picture::Saved);
}
