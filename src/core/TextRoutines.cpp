#include "TextRoutines.h"

QString SqlText(const QString &text)
{
    QString quoted = text;
    // A statement ends at a NUL character; the editors remove it from what the
    // user types, and a text the program writes loses it the same way.
    quoted.remove(QChar(0));
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return quoted.isEmpty() ? QStringLiteral(" ") : quoted;
}

QString DropFirstChar(const QString &text)
{
    return text.mid(1);
}

QString plainLineBreaks(const QString &text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString windowsLineBreaks(const QString &plain)
{
    return QString(plain).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

qint32 LookupCodeByText(const QString &description, const CodeTable &table)
{
    if (description.trimmed().isEmpty())
        return 0;
    for (const CodeEntry &entry : table) {
        if (entry.description == description)
            return entry.code.trimmed().toInt();
    }
    return 0;
}
