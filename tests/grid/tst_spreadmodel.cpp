#include "SpreadModel.h"
#include "TextLimit.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

using grid::SpreadModel;

class TstSpreadModel : public QObject
{
    Q_OBJECT

    enum Kind { Edit = 1, Integer, List, Date, Check, Static, Button };

private Q_SLOTS:
    void userValuesAreValidatedByCellType_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("text");
        const auto row = [](Kind col, const QVariant &value, bool accepted, const char *text) {
            static const char *const names[] = {"", "edit", "integer", "list", "date", "check", "static", "button"};
            QTest::addRow("%s %s", names[col], qPrintable(value.toString().simplified()))
                    << int(col) << value << accepted << QString::fromUtf8(text);
        };
        const char *typed = "O'Brien said \"n\u00e9e\"\r\nline two\ttab ";
        row(Edit, typed, true, typed);
        row(Edit, "abcdefghijklmnopqrstuvwxyz0123456789", true, "abcdefghijklmnopqrstuvwxyz0123456");
        row(Integer, "3", true, "3");
        for (const char *bad : {"0", "4", "x", "2x", "-1"})
            row(Integer, bad, false, "2");
        row(Integer, "", true, "");
        row(List, "N/A", true, "N/A");
        row(List, "Level 9", false, "Level 2");
        row(List, "level 1", false, "Level 2");
        row(List, "", true, "");
        row(Date, "01/01/2000", true, "01/01/2000");
        for (const char *bad : {"31/12/1999", "01/01/2021", "31/02/2010", "2010-06-15"})
            row(Date, bad, false, "15/06/2010");
        row(Date, QDate(2001, 2, 3), true, "03/02/2001");
        row(Check, Qt::Unchecked, true, "0");
        row(Check, Qt::Checked, true, "1");
        row(Check, "yes", false, "1");
        row(Static, "typed", false, "Label");
        row(Button, "typed", false, "");
    }

    // Loading from code is never an edit; a user's change is, once, and only when it changes.
    void userValuesAreValidatedByCellType()
    {
        QFETCH(int, col);
        QFETCH(QVariant, value);
        QFETCH(bool, accepted);
        QFETCH(QString, text);
        SpreadModel m(Button, 1);
        QSignalSpy edited(&m, &SpreadModel::cellEdited);
        m.setEdit(Edit, 1, 33);   // just room for the typed row
        m.setInteger(Integer, 1, 1, 3);
        m.setText(Integer, 1, u"2"_s);
        m.setComboBoxTabText(List, 1, u"Level 1\tLevel 2\tN/A\t"_s);
        m.setText(List, 1, u"Level 2"_s);
        m.setDate(Date, 1, QDate(2000, 1, 1), QDate(2020, 12, 31));
        m.setText(Date, 1, u"15/06/2010"_s);
        m.setCheckBox(Check, 1);
        m.setText(Check, 1, u"1"_s);
        m.setStatic(Static, 1, u"Label"_s);
        m.setButton(Button, 1, u"Go"_s);
        const QString loaded = m.text(col, 1);
        // A check state comes through the check role, anything else as typed text.
        const int role = value.typeId() == QMetaType::Int ? Qt::CheckStateRole : Qt::EditRole;
        QCOMPARE(m.setData(m.index(0, col - 1), value, role), accepted);
        QCOMPARE(m.text(col, 1), text);
        QCOMPARE(edited.count(), text == loaded ? 0 : 1);
    }

    void locksChangeWhileTheScreenRuns()
    {
        SpreadModel m(2, 1);
        m.setCheckBox(2, 1);
        m.setBlockLocked(1, 1, 2, 1, true);
        QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!(m.flags(m.index(0, 1)) & Qt::ItemIsUserCheckable));
        QVERIFY(!m.setData(m.index(0, 0), u"x"_s, Qt::EditRole));
        QVERIFY(!m.setData(m.index(0, 1), Qt::Checked, Qt::CheckStateRole));

        m.setLocked(2, 1, false);   // as a screen unlocks a reason cell after a tick
        QVERIFY(m.flags(m.index(0, 1)) & Qt::ItemIsUserCheckable);
        QVERIFY(m.setData(m.index(0, 1), Qt::Checked, Qt::CheckStateRole));

        m.setLabel(2, 1, u"Label:"_s);
        m.clearText(1, 1, 2, 1);   // the texts go; the label stays locked and grey
        QVERIFY(m.text(2, 1).isEmpty() && m.isLocked(2, 1));
        QCOMPARE(m.cell(2, 1).backColor.rgb(), QColor(233, 233, 233).rgb());
        m.setLocked(2, 1, false);   // fixed text stays fixed, locked or not
        QVERIFY(!(m.flags(m.index(0, 1)) & Qt::ItemIsEditable));
    }

    void spansAndRows()
    {
        SpreadModel m(3, 5);
        m.addSpan(1, 2, 3, 1);
        m.addSpan(2, 4, 1, 2);
        QCOMPARE(m.spanAt(3, 2), QRect(1, 2, 3, 1));
        QCOMPARE(m.spanAt(2, 5), QRect(2, 4, 1, 2));
        QCOMPARE(m.spanAt(1, 1), QRect(1, 1, 1, 1));
        m.addSpan(1, 2, 2, 1);   // replaces the span it overlaps
        QCOMPARE(m.spanAt(3, 2), QRect(3, 2, 1, 1));

        m.setText(1, 2, u"heading"_s);   // a span's text lives in its first cell
        for (int r = 1; r <= 5; ++r)
            m.setText(3, r, QString::number(r));
        m.setRowHeight(3, 30.0);

        m.insertRow(1);   // everything moves down one
        QCOMPARE(m.text(3, 1), QString());
        QCOMPARE(m.text(3, 2), u"1"_s);
        QCOMPARE(m.text(1, 3), u"heading"_s);
        QCOMPARE(m.spanAt(2, 3), QRect(1, 3, 2, 1));
        QCOMPARE(m.rowHeight(4), 30.0);

        m.insertRow(6);   // opens inside the row span 5..6, which grows
        QCOMPARE(m.spanAt(2, 5), QRect(2, 5, 1, 3));

        m.deleteRow(3);   // the heading row and its span go
        QCOMPARE(m.text(3, 3), u"3"_s);
        QCOMPARE(m.spanAt(1, 3), QRect(1, 3, 1, 1));
        QCOMPARE(m.spanAt(2, 4), QRect(2, 4, 1, 3));
        QCOMPARE(m.rowHeight(3), 30.0);
        m.deleteRow(5);
        QCOMPARE(m.spanAt(2, 4), QRect(2, 4, 1, 2));
        m.setMaxRows(4);   // the span is cut back to the last row
        QCOMPARE(m.spanAt(2, 4), QRect(2, 4, 1, 1));
    }

    void searchRow()
    {
        SpreadModel m(3, 1);
        m.setText(1, 1, u"1042"_s);
        m.setText(2, 1, u"SMITH John"_s);
        m.setText(3, 1, u"A-17"_s);
        QCOMPARE(m.searchRow(1, 1, 3, u"ith j"_s, true), 2);
        QCOMPARE(m.searchRow(1, 1, 3, u"smith"_s, false), -1);
        QCOMPARE(m.searchRow(1, 1, 3, u"smith john"_s, false), 2);
        QCOMPARE(m.searchRow(1, 3, 3, u"smith"_s, true), -1);
        QCOMPARE(m.searchRow(1, 1, 3, u" a-17"_s, true), -1);
        QCOMPARE(m.searchRow(1, 1, 9, u"a-1"_s, true), 3);
    }

    // Limits bind typing: a loaded text stays whole, an edit of it may shorten
    // it but not lengthen it, and limits count whole characters.
    void limitsBindTypingOnly_data()
    {
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString long30 = QString(30, QLatin1Char('x'));
        QTest::newRow("short loaded, long typed") << u"ab"_s << QString(12, QLatin1Char('y'))
                                                 << QString(10, QLatin1Char('y'));
        QTest::newRow("long loaded, shortened") << long30 << QString(20, QLatin1Char('z')) << QString(20, QLatin1Char('z'));
        QTest::newRow("long loaded, lengthened") << long30 << long30 + u"more"_s  << long30;
        QTest::newRow("emoji at the limit kept whole") << QString() << u"abcdefghi\U0001F600"_s
                                                      << u"abcdefghi\U0001F600"_s;
        QTest::newRow("emoji past the limit left out whole") << QString() << u"abcdefghij\U0001F600"_s
                                                            << u"abcdefghij"_s;
        QTest::newRow("NUL removed") << QString() << u"a\u0000b"_s << u"ab"_s;
        QTest::newRow("byte-order mark kept") << QString() << u"\uFEFFabc"_s << u"\uFEFFabc"_s;
        QTest::newRow("line break pair kept whole") << QString() << u"abcdefghi\r\nj"_s
                                                   << u"abcdefghi"_s;
    }
    void limitsBindTypingOnly()
    {
        QFETCH(QString, loaded);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        SpreadModel m(1, 1);
        m.setEdit(1, 1, 10);
        m.setText(1, 1, loaded);
        QCOMPARE(m.text(1, 1), loaded);   // never cut on load
        m.setEdit(1, 1, 10);              // nor by setting the cell up again
        QCOMPARE(m.text(1, 1), loaded);
        QVERIFY(m.setData(m.index(0, 0), typed, Qt::EditRole));
        QCOMPARE(m.text(1, 1), kept);
    }

    // An edit past the limit keeps of what it put in as much as fits; the
    // text around it stays, whole characters and line breaks included.
    void heldEditKeepsTheTextAround_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("held");
        QTest::addColumn<int>("cursor");
        QTest::newRow("within the limit") << u"abc"_s << u"abXc"_s << u"abXc"_s << -1;
        QTest::newRow("typed into a full text") << u"abcdefgh"_s << u"abcXYZdefgh"_s
                                                << u"abcXdefgh"_s << 4;
        QTest::newRow("pasted over a selection") << u"abcdefgh"_s << u"a0123456789h"_s
                                                 << u"a0123456h"_s << 8;
        QTest::newRow("typed before an emoji, none of it fits")
            << u"abcdefgh\U0001F600"_s << u"abcdefghX\U0001F600"_s
            << u"abcdefgh\U0001F600"_s << 8;
        QTest::newRow("two emoji pasted where one fits") << u"abcdefgh"_s
                                                         << u"abc\U0001F600\U0001F600defgh"_s
                                                         << u"abc\U0001F600defgh"_s << 5;
        QTest::newRow("a line break typed where one character fits")
            << u"abcdefgh"_s << u"abcd\nefgh"_s << u"abcdefgh"_s << 4;
        QTest::newRow("typed behind a CR LF") << u"abcd\r\nef"_s << u"abcd\r\nXYef"_s
                                              << u"abcd\r\nXef"_s << 7;
        QTest::newRow("an emoji replaced by one sharing its first half")
            << u"abcdefgh\U0001F600"_s << u"abcdefgh\U0001F601\U0001F601"_s
            << u"abcdefgh\U0001F601"_s << 10;
        QTest::newRow("NUL removed") << u"ab"_s << u"a\u0000b"_s << u"ab"_s << -1;
    }
    void heldEditKeepsTheTextAround()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, held);
        QFETCH(int, cursor);
        const grid::TextLimit::HeldEdit edit = grid::TextLimit::holdEdit(before, after, 9);
        QCOMPARE(edit.text, held);
        QCOMPARE(int(edit.cursor), cursor);
    }
};

QTEST_MAIN(TstSpreadModel)
#include "tst_spreadmodel.moc"
