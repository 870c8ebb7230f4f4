#include "GridPagePainter.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using grid::GridPagePainter;
using grid::SpreadModel;

namespace {

// A4 in twips, with the block rectangle of a section page.
constexpr double PageW = 11906;
constexpr double PageH = 16838;
const QRectF Block(500, 800, PageW - 500, PageH - 800);

struct Word
{
    QString text;
    int page;      // 1-based
    QRectF box;    // points
};

// Prints every page of the grid for rect into a PDF the way a continued block does.
int printPdf(const SpreadModel &model, const QRectF &rect, const QString &path)
{
    QPdfWriter writer(path);
    writer.setResolution(1440);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    GridPagePainter grid(model);
    const int pages = grid.pageCount(&writer, rect);
    for (int i = 1; i <= pages; ++i) {
        grid.drawPage(painter, rect, i);
        if (i < pages)
            writer.newPage();
    }
    return pages;
}

QVector<Word> readWords(const QString &pdf, int *pageCount = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qFatal("pdftotext failed");
    static const QRegularExpression wordRe(QStringLiteral(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QVector<Word> words;
    int page = 0;
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.contains(QLatin1String("<page ")))
            ++page;
        const auto m = wordRe.match(line);
        if (m.hasMatch())
            words.append({m.captured(5), page,
                          QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                 QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    if (pageCount)
        *pageCount = page;
    return words;
}

// Pages on which a word appears.
QList<int> pagesOf(const QVector<Word> &words, const QString &text)
{
    QList<int> pages;
    for (const Word &w : words)
        if (w.text == text)
            pages.append(w.page);
    return pages;
}

const Word *find(const QVector<Word> &words, const QString &text)
{
    for (const Word &w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

QImage render(const SpreadModel &model, const QRectF &twips)
{
    QImage image(800, 400, QImage::Format_RGB32);   // 96 dpi: 15 twips a pixel
    image.fill(Qt::white);
    QPainter painter(&image);
    GridPagePainter(model).drawPage(painter, twips, 1);
    return image;
}

} // namespace

class TstGridPainter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void tallGridPaginatesWholeRows()
    {
        SpreadModel m(3, 200);
        for (int c = 1; c <= 3; ++c)
            m.setColWidth(c, 20);
        for (int r = 1; r <= 200; ++r) {
            m.setText(1, r, QStringLiteral("R%1").arg(r));
            if (r % 7 == 0)
                m.setText(2, r, QStringLiteral("several words that wrap over lines ").repeated(4));
        }
        const QString pdf = m_dir.filePath(QStringLiteral("tall.pdf"));
        const int pages = printPdf(m, Block, pdf);
        QVERIFY(pages > 2);
        int pdfPages = 0;
        const QVector<Word> words = readWords(pdf, &pdfPages);
        QCOMPARE(pdfPages, pages);

        int lastPage = 1;
        for (int r = 1; r <= 200; ++r) {
            const QList<int> on = pagesOf(words, QStringLiteral("R%1").arg(r));
            QCOMPARE(on.size(), 1);
            QVERIFY(on.first() == lastPage || on.first() == lastPage + 1);
            lastPage = on.first();
        }
        QCOMPARE(lastPage, pages);
        for (const Word &w : words) {
            QVERIFY2(w.box.top() * 20 >= Block.top() - 1, qPrintable(w.text));
            QVERIFY2(w.box.bottom() * 20 <= Block.bottom() + 1, qPrintable(w.text));
        }
    }

    void wrappedTextMakesItsRowTaller()
    {
        SpreadModel m(2, 4);
        m.setColWidth(1, 12);
        m.setColWidth(2, 12);
        m.setText(1, 1, QStringLiteral("First and then many more words to wrap in this narrow cell"));
        m.setText(1, 2, QStringLiteral("Second"));
        m.setText(1, 3, QStringLiteral("Third"));
        m.setText(1, 4, QStringLiteral("Fourth"));
        m.setText(2, 4, QStringLiteral("Pneumonoultramicroscopicsilicovolcanoconiosis"));
        const QString pdf = m_dir.filePath(QStringLiteral("wrap.pdf"));
        QCOMPARE(printPdf(m, Block, pdf), 1);
        const QVector<Word> words = readWords(pdf);
        const Word *first = find(words, QStringLiteral("First"));
        const Word *second = find(words, QStringLiteral("Second"));
        const Word *third = find(words, QStringLiteral("Third"));
        const Word *fourth = find(words, QStringLiteral("Fourth"));
        QVERIFY(first && second && third && fourth);
        QVERIFY(second->box.top() - first->box.top() > 2.5 * (third->box.top() - second->box.top()));

        // The long word breaks inside its cell instead of running into the next one.
        const double cellLeft = (Block.left() + 12 * GridPagePainter::unitTwips()) / 20.0;
        const double cellRight = (Block.left() + 24 * GridPagePainter::unitTwips()) / 20.0;
        int pieces = 0;
        for (const Word &w : words) {
            if (w.box.left() >= cellLeft - 1 && w.box.top() >= fourth->box.top() - 1) {
                ++pieces;
                QVERIFY2(w.box.right() <= cellRight + 0.5, qPrintable(w.text));
            }
        }
        QVERIFY(pieces >= 2);
    }

    void captionsOfCheckBoxesAndButtonsArePrinted()
    {
        SpreadModel m(2, 1);
        m.setColWidth(1, 12);
        m.setColWidth(2, 12);
        m.setCheckBox(1, 1);
        grid::CellSpec box = m.cell(1, 1);
        box.buttonText = QStringLiteral("Viewed");
        m.setCell(1, 1, box);
        m.setText(1, 1, QStringLiteral("1"));
        m.setButton(2, 1, QStringLiteral("Additional Disabilities"));
        const QString pdf = m_dir.filePath(QStringLiteral("captions.pdf"));
        QCOMPARE(printPdf(m, Block, pdf), 1);
        const QVector<Word> words = readWords(pdf);
        QVERIFY(find(words, QStringLiteral("Viewed")));
        QVERIFY(!find(words, QStringLiteral("1")));    // a check box never shows its value
        // The button's caption wraps inside its narrow column.
        const Word *additional = find(words, QStringLiteral("Additional"));
        const Word *disabilities = find(words, QStringLiteral("Disabilities"));
        QVERIFY2(additional && disabilities, qPrintable([&] { QStringList t; for (const Word &w : words) t << w.text; return t.join(QLatin1Char(' ')); }()));
        QVERIFY(disabilities->box.top() > additional->box.bottom() - 1);
        QVERIFY(disabilities->box.right() <= (Block.left() + 24 * GridPagePainter::unitTwips()) / 20.0 + 0.5);
    }

    void rowSpanGroupStaysOnOnePage()
    {
        SpreadModel m(2, 60);
        m.setColWidth(1, 10);
        m.setColWidth(2, 10);
        for (int r = 1; r <= 60; ++r)
            m.setText(1, r, QStringLiteral("R%1").arg(r));
        const QRectF small(500, 800, 8000, 3000);
        const QString plain = m_dir.filePath(QStringLiteral("plain.pdf"));
        printPdf(m, small, plain);
        const QVector<Word> before = readWords(plain);
        int firstOfPage2 = 0;
        for (int r = 1; r <= 60 && !firstOfPage2; ++r)
            if (pagesOf(before, QStringLiteral("R%1").arg(r)).value(0) == 2)
                firstOfPage2 = r;
        QVERIFY(firstOfPage2 > 2);

        // A span across the page break pulls its rows onto the next page together.
        m.addSpan(2, firstOfPage2 - 1, 1, 3);
        m.setText(2, firstOfPage2 - 1, QStringLiteral("SPAN"));
        const QString spanned = m_dir.filePath(QStringLiteral("spanned.pdf"));
        printPdf(m, small, spanned);
        const QVector<Word> after = readWords(spanned);
        for (int r = firstOfPage2 - 1; r <= firstOfPage2 + 1; ++r)
            QCOMPARE(pagesOf(after, QStringLiteral("R%1").arg(r)), QList<int>{2});
        QCOMPARE(pagesOf(after, QStringLiteral("SPAN")), QList<int>{2});
        QCOMPARE(pagesOf(after, QStringLiteral("R%1").arg(firstOfPage2 - 2)), QList<int>{1});
    }

    void hiddenColumnTakesNoRoom()
    {
        SpreadModel m(2, 1);
        m.setColWidth(1, 0);
        m.setColWidth(2, 20);
        m.setText(1, 1, QStringLiteral("HIDDENID"));
        m.setText(2, 1, QStringLiteral("SHOWN"));
        const QString pdf = m_dir.filePath(QStringLiteral("hidden.pdf"));
        printPdf(m, Block, pdf);
        const QVector<Word> words = readWords(pdf);
        QVERIFY(!find(words, QStringLiteral("HIDDENID")));
        const Word *shown = find(words, QStringLiteral("SHOWN"));
        QVERIFY(shown);
        QVERIFY(shown->box.left() * 20 < Block.left() + 200);
    }

    void coloursTicksAndTheRightEdge()
    {
        SpreadModel m(3, 2);
        for (int c = 1; c <= 3; ++c)
            m.setColWidth(c, 20);
        m.setBackColor(2, 1, Qt::red);
        m.setBackColor(3, 1, Qt::red);
        m.setCheckBox(1, 2);
        const double unit = 20 * GridPagePainter::unitTwips() / 15.0;   // column width in pixels
        // The rectangle ends halfway into column 3.
        const QRectF rect(0, 0, 2.5 * unit * 15, 6000);
        const QImage image = render(m, rect);
        QCOMPARE(image.pixelColor(int(1.5 * unit), 6), QColor(Qt::red));
        QCOMPARE(image.pixelColor(int(0.5 * unit), 6), QColor(Qt::white));
        QCOMPARE(image.pixelColor(int(2.25 * unit), 6), QColor(Qt::red));
        QCOMPARE(image.pixelColor(int(2.75 * unit), 6), QColor(Qt::white));

        m.setText(1, 2, QStringLiteral("0"));
        const QImage unticked = render(m, rect);
        m.setText(1, 2, QStringLiteral("1"));
        const QImage ticked = render(m, rect);
        auto dark = [&](const QImage &img) {
            int n = 0;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < int(unit); ++x)
                    n += qGray(img.pixel(x, y)) < 100;
            return n;
        };
        QVERIFY(dark(unticked) > 0);                 // the empty box is drawn
        QVERIFY(dark(ticked) > dark(unticked) + 4);   // and the tick inside it
    }
};

QTEST_MAIN(TstGridPainter)
#include "tst_gridpainter.moc"
