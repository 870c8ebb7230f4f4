#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

namespace PdfText {

QStringList pages(const QString &pdfPath)
{
    QStringList list = all(pdfPath).split(QLatin1Char('\f'));
    // pdftotext ends every page with a form feed: the piece after the last one is empty.
    if (!list.isEmpty() && list.last().isEmpty())
        list.removeLast();
    return list;
}

QString all(const QString &pdfPath)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                             pdfPath, QStringLiteral("-")});
}

int pageCount(const QString &pdfPath)
{
    static const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pagesLine.match(run(QStringLiteral("pdfinfo"), {pdfPath}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QStringList fonts(const QString &pdfPath)
{
    // Two heading lines, then one font per line, its name first.
    const QStringList lines = run(QStringLiteral("pdffonts"), {pdfPath}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList names;
    for (int i = 2; i < lines.size(); ++i)
        names << lines.at(i).section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    return names;
}

QVector<Word> words(const QString &pdfPath)
{
    static const QRegularExpression wordRe(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    const QStringList pages = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                                               QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")})
                                  .split(QStringLiteral("<page "));
    QVector<Word> found;
    for (int page = 1; page < pages.size(); ++page) {
        for (const QRegularExpressionMatch &m : wordRe.globalMatch(pages.at(page))) {
            const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
            // pdftotext writes the words as XML text.
            QString text = m.captured(5);
            text.replace(QStringLiteral("&apos;"), QStringLiteral("'")).replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                .replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            found.append({text, page, box});
        }
    }
    return found;
}

Word find(const QVector<Word> &words, const QString &text)
{
    for (const Word &word : words)
        if (word.text == text)
            return word;
    return Word();
}

QString title(const QString &pdfPath)
{
    static const QRegularExpression titleLine(QStringLiteral("^Title:\\s+(.*)$"), QRegularExpression::MultilineOption);
    return titleLine.match(run(QStringLiteral("pdfinfo"), {pdfPath})).captured(1).trimmed();
}

QSizeF pageSize(const QString &pdfPath)
{
    static const QRegularExpression sizeLine(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+)"),
                                             QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = sizeLine.match(run(QStringLiteral("pdfinfo"), {pdfPath}));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

} // namespace PdfText
