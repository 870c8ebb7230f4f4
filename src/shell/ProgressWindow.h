#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QString>
#include <functional>

class QWidget;

// The progress bar with Cancel that a long run shows: it appears only once
// the run has taken a while (a short one finishes without it), and Cancel
// stops the run at its next step.
class ProgressWindow
{
public:
    ProgressWindow(QWidget *parent, const QString &objectName, const QString &title, const QString &label);

    // What the run reports to: done of total steps; false once cancelled.
    std::function<bool(int done, int total)> step();
    void setLabel(const QString &label) { m_dialog.setLabelText(label); }
    bool wasCanceled() const { return m_dialog.wasCanceled(); }
    // Takes the bar away.
    void close() { m_dialog.reset(); }

    // How long a run goes before its bar appears (300 ms): a run that ends
    // sooner never shows it. Tests set 0 to reach the bar whatever the
    // machine's speed.
    static void setShowAfter(int milliseconds);

private:
    bool report(int done, int total);

    QProgressDialog m_dialog;
    QElapsedTimer m_sinceShown;
};
