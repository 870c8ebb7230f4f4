#pragma once

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>

// A static, fully read result of one SELECT: its row count is known, fields are
// reached by name (case-insensitive, as the host engine does), and a cursor walks
// the rows. NULL values are invalid QVariants; text() reads them as empty text.
//
// A column keeps each distinct text or number once and a small index per row:
// a whole school's rows repeat the same descriptions, names and codes on
// thousands of rows, and would otherwise hold a copy of each on every one.
class Recordset
{
public:
    // Takes a result's values as an engine reads them, row by row and in each
    // row column by column; a repeated value is stored once as it arrives, so
    // reading never holds more than the finished recordset does.
    class Fill
    {
    public:
        explicit Fill(QStringList fieldNames);
        void append(const QVariant &value);   // the next cell, left to right, row after row
        Recordset take();

    private:
        struct Distinct
        {
            QHash<QString, quint32> texts;
            QHash<qlonglong, quint32> numbers;
            qint64 null = -1;
            bool keepsAll = false;   // the column hardly repeats: each cell keeps its own value
        };
        quint32 indexOf(int column, const QVariant &value);

        QStringList m_names;
        QVector<Distinct> m_distinct;
        QVector<QVector<quint32>> m_cells;
        QVector<QVector<QVariant>> m_values;
        int m_next = 0;   // the column the next cell goes to
        int m_rows = 0;
    };

    Recordset() = default;

    int recordCount() const { return m_rowCount; }
    bool isEmpty() const { return m_rowCount == 0; }
    bool eof() const { return m_position >= m_rowCount; }
    void moveFirst() { m_position = 0; }
    void moveNext();
    int position() const { return m_position; }

    int fieldCount() const { return int(m_names.size()); }
    QStringList fieldNames() const { return m_names; }
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }

    // Values of the current row. An unknown field name throws StoreError
    // (ItemNotFound); reading past the last row throws as well.
    QVariant value(const QString &field) const;
    QString text(const QString &field) const;   // NULL -> ""
    bool isNull(const QString &field) const;
    // A yes/no column: stored as 0/1, but any non-zero number, or one of the
    // words True, Yes and On, counts as yes; NULL is no.
    bool isTrue(const QString &field) const;

    QVariant value(int row, const QString &field) const;
    QString text(int row, const QString &field) const;

    // A field's column, for reading thousands of rows without looking the
    // name up in each; an unknown name throws as above.
    int column(const QString &field) const { return checkedIndex(field); }
    QString text(int row, int column) const;   // NULL -> ""

private:
    int fieldIndex(const QString &name) const;
    int checkedIndex(const QString &name) const;

    const QVariant &cell(int row, int column) const { return m_values.at(column).at(m_cells.at(column).at(row)); }

    QStringList m_names;
    // Per column: each row's index into the column's distinct values.
    QVector<QVector<quint32>> m_cells;
    QVector<QVector<QVariant>> m_values;
    int m_rowCount = 0;
    int m_position = 0;
};
