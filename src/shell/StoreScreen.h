#pragma once

#include "StoreWork.h"

#include <QDialog>
#include <QString>
#include <QVector>
#include <functional>

class QLabel;
class QPushButton;

// What every window that reads the learner's rows and saves them shares: the
// Save button whose colour is the change flag, whether the load completed,
// the notice that the learner's information could not be read, no save at
// all once a load did not complete (the window would replace stored rows with
// what it failed to read), and the confirmation only when every save routine
// completed. Its store work runs through StoreWork: one connection per
// operation, one report per failure, each save routine in its own transaction.
class StoreScreen : public QDialog
{
    Q_OBJECT
public:
    bool loadCompleted() const { return m_loadCompleted; }
    QPushButton *saveButton() const { return m_save; }

    bool hasUnsavedChanges() const;
    void markChanged();

    // Save: the window's check, then every save routine in order; the
    // confirmation only when all completed. Refused outright after a failed load.
    bool save();

protected:
    // loadFailedText: what the notice says when the load did not complete.
    StoreScreen(const QString &screenName, const QString &loadFailedText, QWidget *parent);

    // The window places both in its layout.
    QLabel *loadFailedNotice() const { return m_loadFailed; }

    // The window's get routines; false when they did not complete (reported
    // once, and the window cannot save from then on).
    bool runLoad(const QVector<StoreRoutine> &routines);
    // Reads part of the window again (after a window it opened, or when it
    // becomes active again); a failure refuses saving as a failed load does.
    bool reload(const QVector<StoreRoutine> &routines);
    // One-off store work of a handler, trapped and reported once.
    bool runStoreWork(const QString &procedure, const std::function<void(Connection &)> &body);
    // The unsaved-data question; false when the user chose to stay.
    bool mayLeave();

    // Open editors hand their text over before the window saves, prints or leaves.
    virtual void commitEditors() {}
    // A check before saving (Section 1's primary-also-additional rule). False
    // refuses the save without it being a failure: the window has told the
    // user what to correct.
    virtual bool validate() { return true; }
    virtual QVector<StoreRoutine> saveRoutines() = 0;
    // After every save routine completed, before the confirmation.
    virtual void afterSave() {}
    // The section screens' "Your Information has been saved.".
    virtual void confirmSaved();

private:
    void refuseSaving();

    QPushButton *m_save;
    QLabel *m_loadFailed;
    bool m_loadCompleted = false;
};
