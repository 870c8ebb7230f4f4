#include "ProgressWindow.h"

namespace {
int showAfterMs = 300;
// Steps closer than this together are not drawn: a run of thousands of
// steps is not slowed by the bar.
constexpr int RedrawEveryMs = 40;
}

ProgressWindow::ProgressWindow(QWidget *parent, const QString &objectName, const QString &title, const QString &label)
    : m_dialog(label, QStringLiteral("Cancel"), 0, 1, parent)
{
    m_dialog.setObjectName(objectName);
    m_dialog.setWindowTitle(title);
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(showAfterMs);
    m_dialog.setAutoReset(false);
    m_dialog.setValue(0);
}

std::function<bool(int, int)> ProgressWindow::step()
{
    return [this](int done, int total) { return report(done, total); };
}

bool ProgressWindow::report(int done, int total)
{
    if (m_dialog.wasCanceled())
        return false;
    const bool last = done >= total;
    if (m_sinceShown.isValid() && m_sinceShown.elapsed() < RedrawEveryMs && !last)
        return true;
    m_sinceShown.start();
    m_dialog.setMaximum(std::max(total, 1));
    m_dialog.setValue(std::clamp(done, 0, std::max(total, 1)));
    return !m_dialog.wasCanceled();
}

void ProgressWindow::setShowAfter(int milliseconds)
{
    showAfterMs = milliseconds;
}
