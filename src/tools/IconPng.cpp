// sna-icon-png: draws the program's SVG icon at the pixel sizes the desktop's
// icon theme wants, at build time, so no picture but the SVG is kept.
//   sna-icon-png ICON.svg OUT_DIR SIZE...   writes OUT_DIR/SIZExSIZE.png

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "sna-icon-png: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: sna-icon-png ICON.svg OUT_DIR SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(args[0]);
    if (!renderer.isValid())
        return fail(QStringLiteral("cannot read %1").arg(args[0]));
    QDir().mkpath(args[1]);
    for (const QString &sizeText : args.mid(2)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size < 1 || size > 4096)
            return fail(QStringLiteral("'%1' is not a size in pixels").arg(sizeText));
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString out = QStringLiteral("%1/%2x%2.png").arg(args[1]).arg(size);
        if (!image.save(out, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(out));
    }
    return 0;
}
