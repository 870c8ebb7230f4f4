#pragma once

#include <QStringList>
#include <QVariant>
#include <QVector>

// A static, fully read result of one SELECT: its row count is known, fields are
// reached by name (case-insensitive, as the host engine does), and a cursor walks
// the rows. NULL values are invalid QVariants; text() reads them as empty text.
class Recordset
{
public:
    Recordset() = default;
    Recordset(QStringList fieldNames, QVector<QVector<QVariant>> rows);

    int recordCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool eof() const { return m_position >= m_rows.size(); }
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

    QStringList m_names;
    QVector<QVector<QVariant>> m_rows;
    int m_position = 0;
};
