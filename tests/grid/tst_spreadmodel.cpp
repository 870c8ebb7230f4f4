#include "SpreadModel.h"

#include <QBrush>
#include <QFont>
#include <QSignalSpy>
#include <QtTest>

using grid::SpreadModel;

class TstSpreadModel : public QObject
{
    Q_OBJECT

private:
    static bool userSets(SpreadModel &m, int col, int row, const QVariant &v,
                         int role = Qt::EditRole)
    {
        return m.setData(m.index(row - 1, col - 1), v, role);
    }

private Q_SLOTS:
    void userValuesAreValidatedByCellType()
    {
        SpreadModel m(6, 2);
        m.setEdit(1, 1, 5);
        QVERIFY(userSets(m, 1, 1, QStringLiteral("abcdefgh")));
        QCOMPARE(m.text(1, 1), QStringLiteral("abcde"));

        m.setInteger(2, 1, 1, 3);
        QVERIFY(userSets(m, 2, 1, QStringLiteral("2")));
        for (const char *bad : {"0", "4", "x", "2x", "-1"}) {
            QVERIFY2(!userSets(m, 2, 1, QString::fromLatin1(bad)), bad);
            QCOMPARE(m.text(2, 1), QStringLiteral("2"));
        }
        QVERIFY(userSets(m, 2, 1, QString()));
        QCOMPARE(m.text(2, 1), QString());

        m.setComboBoxTabText(3, 1, QStringLiteral("Level 1\tLevel 2\tN/A\t"));
        QCOMPARE(m.cell(3, 1).items, QStringList({"Level 1", "Level 2", "N/A"}));
        QVERIFY(!userSets(m, 3, 1, QStringLiteral("Level 9")));
        QVERIFY(!userSets(m, 3, 1, QStringLiteral("level 1")));
        QVERIFY(userSets(m, 3, 1, QStringLiteral("N/A")));
        QCOMPARE(m.text(3, 1), QStringLiteral("N/A"));
        QVERIFY(userSets(m, 3, 1, QString()));

        m.setDate(4, 1, QDate(2000, 1, 1), QDate(2020, 12, 31));
        QVERIFY(userSets(m, 4, 1, QStringLiteral("15/06/2010")));
        for (const char *bad : {"31/12/1999", "01/01/2021", "31/02/2010", "2010-06-15"})
            QVERIFY2(!userSets(m, 4, 1, QString::fromLatin1(bad)), bad);
        QCOMPARE(m.text(4, 1), QStringLiteral("15/06/2010"));
        QVERIFY(userSets(m, 4, 1, QDate(2001, 2, 3)));
        QCOMPARE(m.text(4, 1), QStringLiteral("03/02/2001"));

        m.setCheckBox(5, 1);
        QVERIFY(userSets(m, 5, 1, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(m.text(5, 1), QStringLiteral("1"));
        QCOMPARE(m.data(m.index(0, 4), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(userSets(m, 5, 1, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(m.text(5, 1), QStringLiteral("0"));
        QVERIFY(!userSets(m, 5, 1, QStringLiteral("yes")));

        m.setStatic(6, 1, QStringLiteral("Label"));
        QVERIFY(!userSets(m, 6, 1, QStringLiteral("typed")));
        m.setButton(6, 2, QStringLiteral("Go"));
        QVERIFY(!userSets(m, 6, 2, QStringLiteral("typed")));
        QCOMPARE(m.data(m.index(1, 5), Qt::DisplayRole).toString(), QStringLiteral("Go"));
    }

    void typedTextIsKeptExactly()
    {
        SpreadModel m(1, 1);
        m.setEdit(1, 1, 2000);
        const QString typed = QStringLiteral("O'Brien said \"n\u00e9e\"\r\nline two\ttab ");
        QVERIFY(userSets(m, 1, 1, typed));
        QCOMPARE(m.text(1, 1), typed);
        QCOMPARE(m.data(m.index(0, 0), Qt::DisplayRole).toString(),
                 QStringLiteral("O'Brien said \"n\u00e9e\"\nline two\ttab "));
    }

    void lockedCellsRefuseTheUser()
    {
        SpreadModel m(2, 1);
        m.setCheckBox(2, 1);
        m.setBlockLocked(1, 1, 2, 1, true);
        QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!(m.flags(m.index(0, 1)) & Qt::ItemIsUserCheckable));
        QVERIFY(!userSets(m, 1, 1, QStringLiteral("x")));
        QVERIFY(!userSets(m, 2, 1, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(m.text(2, 1), QString());

        m.setLocked(2, 1, false);   // as a screen unlocks a reason cell after a tick
        QVERIFY(m.flags(m.index(0, 1)) & Qt::ItemIsUserCheckable);
        QVERIFY(userSets(m, 2, 1, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(m.isLocked(1, 1));
        QVERIFY(!m.isLocked(2, 1));

        m.setStatic(1, 1, QStringLiteral("fixed"));
        m.setLocked(1, 1, false);
        QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));

        m.setLabel(2, 1, QStringLiteral("Label:"));
        QVERIFY(m.isLocked(2, 1));
        QCOMPARE(m.cell(2, 1).type, grid::CellType::Static);
        QCOMPARE(m.cell(2, 1).backColor.rgb(), QColor(233, 233, 233).rgb());
    }

    void onlyUserChangesReportAnEdit()
    {
        SpreadModel m(2, 2);
        QSignalSpy edited(&m, &SpreadModel::cellEdited);
        QSignalSpy changed(&m, &SpreadModel::dataChanged);

        m.setText(1, 1, QStringLiteral("loaded"));
        m.setCheckBox(2, 2);
        m.setText(2, 2, QStringLiteral("1"));
        QVERIFY(changed.count() >= 3);
        QCOMPARE(edited.count(), 0);

        QVERIFY(userSets(m, 1, 1, QStringLiteral("loaded")));   // same value
        QVERIFY(userSets(m, 2, 2, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(edited.count(), 0);

        QVERIFY(userSets(m, 1, 2, QStringLiteral("typed")));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0), QVariantList({1, 2}));
    }

    void spansAndRows()
    {
        SpreadModel m(3, 5);
        m.addSpan(1, 2, 3, 1);
        m.addSpan(2, 4, 1, 2);
        QCOMPARE(m.spanAt(3, 2), QRect(1, 2, 3, 1));
        QCOMPARE(m.spanAt(2, 5), QRect(2, 4, 1, 2));
        QCOMPARE(m.spanAt(1, 1), QRect(1, 1, 1, 1));
        m.setText(1, 2, QStringLiteral("heading"));
        QCOMPARE(m.data(m.index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("heading"));

        m.addSpan(1, 2, 2, 1);   // replaces the span it overlaps
        QCOMPARE(m.spans().size(), 2);
        QCOMPARE(m.spanAt(3, 2), QRect(3, 2, 1, 1));

        for (int r = 1; r <= 5; ++r)
            m.setText(3, r, QString::number(r));
        m.setRowHeight(3, 30.0);

        m.insertRow(1);   // everything moves down one
        QCOMPARE(m.maxRows(), 6);
        QCOMPARE(m.text(3, 1), QString());
        QCOMPARE(m.text(3, 2), QStringLiteral("1"));
        QCOMPARE(m.text(1, 3), QStringLiteral("heading"));
        QCOMPARE(m.spanAt(2, 3), QRect(1, 3, 2, 1));
        QCOMPARE(m.rowHeight(4), 30.0);

        m.insertRow(6);   // opens inside the row span 5..6, which grows
        QCOMPARE(m.spanAt(2, 5), QRect(2, 5, 1, 3));

        m.deleteRow(3);   // the heading row and its span go
        QCOMPARE(m.text(3, 3), QStringLiteral("3"));
        QCOMPARE(m.spanAt(1, 3), QRect(1, 3, 1, 1));
        QCOMPARE(m.spanAt(2, 4), QRect(2, 4, 1, 3));
        QCOMPARE(m.rowHeight(3), 30.0);
        m.deleteRow(5);
        QCOMPARE(m.spanAt(2, 4), QRect(2, 4, 1, 2));

        m.setMaxRows(4);   // the span is cut back to the last row
        QCOMPARE(m.spanAt(2, 4), QRect(2, 4, 1, 1));
        m.setMaxRows(6);
        QCOMPARE(m.cell(3, 6).text, QString());
    }

    void searchRow()
    {
        SpreadModel m(3, 1);
        m.setText(1, 1, QStringLiteral("1042"));
        m.setText(2, 1, QStringLiteral("SMITH John"));
        m.setText(3, 1, QStringLiteral("A-17"));
        QCOMPARE(m.searchRow(1, 1, 3, QStringLiteral("ith j"), true), 2);
        QCOMPARE(m.searchRow(1, 1, 3, QStringLiteral("smith"), false), -1);
        QCOMPARE(m.searchRow(1, 1, 3, QStringLiteral("smith john"), false), 2);
        QCOMPARE(m.searchRow(1, 3, 3, QStringLiteral("smith"), true), -1);
        QCOMPARE(m.searchRow(1, 1, 3, QStringLiteral(" a-17"), true), -1);
        QCOMPARE(m.searchRow(1, 1, 9, QStringLiteral("a-1"), true), 3);
    }

    void styleRoles()
    {
        SpreadModel m(2, 1);
        m.setBackColor(1, 1, QColor::fromRgb(SpreadModel::LabelGrey));
        m.setForeColor(1, 1, Qt::blue);
        m.setBold(1, 1, true);
        m.setAlignment(2, 1, Qt::AlignRight | Qt::AlignVCenter);
        const QModelIndex i = m.index(0, 0);
        QCOMPARE(i.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(233, 233, 233));
        QCOMPARE(i.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::blue));
        QVERIFY(i.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!m.index(0, 1).data(Qt::FontRole).isValid());
        QCOMPARE(m.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        m.setText(1, 1, QStringLiteral("kept"));
        m.clearText(1, 1, 2, 1);
        QCOMPARE(m.text(1, 1), QString());
        QCOMPARE(m.cell(1, 1).backColor, QColor(233, 233, 233));
    }
};

QTEST_MAIN(TstSpreadModel)
#include "tst_spreadmodel.moc"
