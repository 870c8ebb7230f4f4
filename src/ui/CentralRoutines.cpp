#include "CentralRoutines.h"

#include "ChangeFlag.h"
#include "MessageBoxes.h"
#include "NumberedError.h"

#include <QComboBox>
#include <QDate>
#include <QPushButton>
#include <QWidget>
#include <cmath>

void ReportError(const QString &location, const QString &description,
                 const QString &procedure, double number)
{
    const QString text = QStringLiteral("Error Description: ") + description + QStringLiteral("\r\n")
        + QStringLiteral("Location: ") + location + QStringLiteral("\r\n")
        + QStringLiteral("Procedure: ") + procedure;
    // A whole number shows without decimals; anything else as the number it is.
    const QString numberText = (std::floor(number) == number && std::fabs(number) < 1e15)
        ? QString::number(qint64(number))
        : QString::number(number);
    ShowMessageBoxEx(text, MsgCode::OkOnly, QStringLiteral("Error : ") + numberText, Picture::Error);
}

bool trapped(const QString &location, const QString &procedure, const std::function<void()> &body)
{
    try {
        body();
        return true;
    } catch (const NumberedError &error) {
        ReportError(location, error.description(), procedure, double(error.number()));
    } catch (const std::exception &error) {
        ReportError(location, QString::fromUtf8(error.what()), procedure, 0);
    }
    return false;
}

bool ConfirmLeaveSection(QPushButton *saveButton, QWidget *screen)
{
    if (ChangeFlag::isChanged(saveButton)) {
        const int answer = ShowMessageBoxEx(
            QStringLiteral("You have NOT saved your data. Are you sure you want to exit without saving?"),
            MsgCode::YesNo + MsgCode::DefaultButton2, QStringLiteral("Data has NOT been Saved"),
            Picture::Stop);
        if (answer == MsgCode::AnswerNo)
            return false;
    }
    if (screen)
        screen->close();
    return true;
}

void FillYearList(QComboBox *list)
{
    list->clear();
    const int thisYear = QDate::currentDate().year();
    for (int year = thisYear; year >= 2008; --year)
        list->addItem(QString::number(year));
    list->setCurrentText(QString::number(thisYear));
}

bool CheckReportYear(QComboBox *list)
{
    if (list->currentText().trimmed().isEmpty()) {
        ShowUserMessage(QStringLiteral("Please select Report Year to continue."));
        list->setFocus();
        return false;
    }
    return true;
}
