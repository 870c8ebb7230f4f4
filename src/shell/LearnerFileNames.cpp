#include "LearnerFileNames.h"

namespace LearnerFileNames {

namespace {

constexpr int LongestPart = 60;

QString safe(const QString &text)
{
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
        if (c.isMark())
            continue;   // the accent of a decomposed letter
        const bool plain = c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('-'));
        if (plain)
            out += c;
        else if (!out.endsWith(QLatin1Char('_')))
            out += QLatin1Char('_');
    }
    while (out.startsWith(QLatin1Char('_')) || out.startsWith(QLatin1Char('-')))
        out.remove(0, 1);
    while (out.endsWith(QLatin1Char('_')))
        out.chop(1);
    return out.left(LongestPart);
}

} // namespace

QString fileName(const QString &accessionNo, const QString &surname, const QString &firstName, qint32 id)
{
    QString accession = safe(accessionNo);
    if (accession.isEmpty())
        accession = QStringLiteral("ID%1").arg(id);
    QString name = accession;
    for (const QString &part : {safe(surname.toUpper()), safe(firstName)})
        if (!part.isEmpty())
            name += QLatin1Char('_') + part;
    return name + QStringLiteral(".pdf");
}

QString withId(const QString &fileName, qint32 id)
{
    QString base = fileName;
    base.chop(4);   // ".pdf"
    return base + QStringLiteral("_%1.pdf").arg(id);
}

} // namespace LearnerFileNames
