#include "CsvText.h"

namespace CsvText {

QString field(const QString &text)
{
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    bool quoted = false;
    for (QChar c : text)
        quoted = quoted || needsQuotes.contains(c);
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QByteArray record(const QStringList &fields)
{
    QStringList written;
    written.reserve(fields.size());
    for (const QString &f : fields)
        written << field(f);
    return written.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

} // namespace CsvText
