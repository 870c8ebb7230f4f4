#pragma once

#include <QValidator>

class QLineEdit;

// Holds a text box to the width of the column its text is stored in,
// counting whole characters: a letter outside the basic plane is one
// character, never split in two. An edit that would pass the limit (a key
// typed into a full box, a paste too long for it) is refused whole, so no
// text is ever cut somewhere the user did not see.
class CharacterLimit : public QValidator
{
    Q_OBJECT
public:
    CharacterLimit(int maxCharacters, QObject *parent);

    State validate(QString &input, int &pos) const override;

    static qsizetype characterCount(const QString &text);

    static void apply(QLineEdit *box, int maxCharacters);

private:
    int m_max;
};
