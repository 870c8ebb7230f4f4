#include "GuardedApplication.h"

#include "CentralRoutines.h"
#include "NumberedError.h"

#include <QWidget>

namespace {

const QString Procedure = QStringLiteral("Event Handler");

} // namespace

GuardedApplication::GuardedApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

QString GuardedApplication::locationOf(const QObject *receiver)
{
    if (const auto *widget = qobject_cast<const QWidget *>(receiver)) {
        if (const QWidget *window = widget->window(); window && !window->objectName().isEmpty())
            return window->objectName();
    }
    for (const QObject *object = receiver; object; object = object->parent()) {
        if (!object->objectName().isEmpty())
            return object->objectName();
    }
    return QStringLiteral("SNA");
}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const NumberedError &error) {
        ReportError(locationOf(receiver), error.description(), Procedure, double(error.number()));
    } catch (const std::exception &error) {
        ReportError(locationOf(receiver), QString::fromUtf8(error.what()), Procedure, 0);
    } catch (...) {
        ReportError(locationOf(receiver), QStringLiteral("An unexpected failure ended the action."), Procedure, 0);
    }
    // The event counts as handled: whatever failed will not be retried by Qt.
    return true;
}
