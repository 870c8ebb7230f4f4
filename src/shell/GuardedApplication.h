#pragma once

#include <QApplication>

// The program's application object. Its event dispatch is the last net under
// every handler: a failure that escapes one (an exception no routine trapped)
// becomes an error report naming the window it happened in, and the program
// goes on, instead of ending without a word.
class GuardedApplication : public QApplication
{
    Q_OBJECT
public:
    GuardedApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The location an escaped failure is reported under: the object name of
    // the receiver's window, or of the receiver when it has no window.
    static QString locationOf(const QObject *receiver);
};
