#include "AboutBox.h"

#include "AppState.h"
#include "Settings.h"
#include "Version.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A line the user can select and copy (a path to give to a colleague), and
// reach with Tab.
QLabel *valueLabel(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::TabFocus);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About SNA"));

    auto *title = new QLabel(QStringLiteral("SNA — Support Needs Assessment"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    const QString none = QStringLiteral("(none registered)");
    const QString database = databaseInUse();
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Version:"),
                 valueLabel(QStringLiteral("lblVersion"), QString::fromLatin1(Sna::Version), this));
    form->addRow(QStringLiteral("Database:"),
                 valueLabel(QStringLiteral("lblDatabase"),
                            database.isEmpty() ? none : QDir::toNativeSeparators(database), this));
    form->addRow(QStringLiteral("Engine:"), valueLabel(QStringLiteral("lblEngine"), QStringLiteral("SQLite"), this));
    form->addRow(QStringLiteral("Settings file:"),
                 valueLabel(QStringLiteral("lblSettings"), QDir::toNativeSeparators(Settings::fileName()), this));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    close->setFocus();
}

QString AboutBox::line(const QString &objectName) const
{
    const auto *label = findChild<QLabel *>(objectName);
    return label ? label->text() : QString();
}

QString AboutBox::databaseInUse()
{
    const QString opened = appState().DatabasePath;
    return opened.isEmpty() ? Settings::databasePath() : opened;
}
