#include "StoreScreen.h"

#include "CentralRoutines.h"
#include "ChangeFlag.h"
#include "MessageBoxes.h"

#include <QLabel>
#include <QPushButton>

StoreScreen::StoreScreen(const QString &screenName, const QString &loadFailedText, QWidget *parent)
    : QDialog(parent)
    , m_save(new QPushButton(QStringLiteral("Save"), this))
    , m_loadFailed(new QLabel(loadFailedText, this))
{
    setObjectName(screenName);
    m_save->setObjectName(QStringLiteral("cmdSave"));
    m_save->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });

    // Shown only when the learner's information could not be read.
    m_loadFailed->setObjectName(QStringLiteral("lblLoadFailed"));
    m_loadFailed->setWordWrap(true);
    m_loadFailed->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    m_loadFailed->hide();
}

bool StoreScreen::runLoad(const QVector<StoreRoutine> &routines)
{
    m_loadCompleted = StoreWork::load(objectName(), routines);
    if (!m_loadCompleted)
        refuseSaving();
    return m_loadCompleted;
}

bool StoreScreen::reload(const QVector<StoreRoutine> &routines)
{
    const bool completed = StoreWork::load(objectName(), routines);
    if (!completed) {
        m_loadCompleted = false;
        refuseSaving();
    }
    return completed;
}

bool StoreScreen::runStoreWork(const QString &procedure, const std::function<void(Connection &)> &body)
{
    return StoreWork::run(objectName(), procedure, body);
}

void StoreScreen::refuseSaving()
{
    m_save->setEnabled(false);
    m_loadFailed->show();
}

bool StoreScreen::hasUnsavedChanges() const
{
    return ChangeFlag::isChanged(m_save);
}

void StoreScreen::markChanged()
{
    ChangeFlag::markChanged(m_save);
}

bool StoreScreen::mayLeave()
{
    commitEditors();
    return ConfirmLeaveSection(m_save, nullptr);
}

bool StoreScreen::save()
{
    commitEditors();
    if (!m_loadCompleted || !validate())
        return false;
    if (!StoreWork::save(objectName(), saveRoutines()))
        return false;
    afterSave();
    ChangeFlag::markSaved(m_save);
    confirmSaved();
    return true;
}

void StoreScreen::confirmSaved()
{
    ShowUserMessage(QStringLiteral("Your Information has been saved."));
}
