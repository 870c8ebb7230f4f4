#include "CharacterLimit.h"

#include <QLineEdit>

CharacterLimit::CharacterLimit(int maxCharacters, QObject *parent)
    : QValidator(parent)
    , m_max(maxCharacters)
{
}

qsizetype CharacterLimit::characterCount(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text.at(i).isLowSurrogate())
            ++count;
    }
    return count;
}

QValidator::State CharacterLimit::validate(QString &input, int &) const
{
    return characterCount(input) <= m_max ? Acceptable : Invalid;
}

void CharacterLimit::apply(QLineEdit *box, int maxCharacters)
{
    box->setValidator(new CharacterLimit(maxCharacters, box));
}
