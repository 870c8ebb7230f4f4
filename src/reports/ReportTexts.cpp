#include "ReportTexts.h"

namespace ReportTexts {

QString codeName(const QString &name, const QVariant &code, const QString &kind)
{
    if (!name.isEmpty())
        return name;
    const QString codeText = code.isNull() ? QString() : code.toString().trimmed();
    if (codeText.isEmpty() || codeText == QLatin1String("0"))
        return QStringLiteral("not recorded");
    return QStringLiteral("unknown ") + kind + QStringLiteral(" (") + codeText + QLatin1Char(')');
}

QString impairmentType(const QString &stored)
{
    const QString type = stored.trimmed().toUpper();
    if (type.isEmpty())
        return QStringLiteral("not recorded");
    if (type == QLatin1String("TEMP"))
        return QStringLiteral("temporary");
    if (type == QLatin1String("BOTH") || type == QLatin1String("B"))
        return QStringLiteral("both (temporary and permanent)");
    return QStringLiteral("permanent");
}

} // namespace ReportTexts
