// libmdb's header wraps glib's in extern "C", which glib's C++ parts refuse:
// glib comes first, on its own.
#include <glib.h>
#include <mdbtools.h>

#include "AccessReader.h"

#include "AccessError.h"
#include "JetDate.h"
#include "JetText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <charconv>
#include <cstring>
#include <vector>

namespace {

constexpr int MemoHeaderSize = 12;          // length and flags, page and row, unused
constexpr int RowOffsetMask = 0x1fff;       // a row offset's flag bits stripped

quint32 le32(const unsigned char *p)
{
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

template<typename T>
T stored(const unsigned char *p)
{
    T value;
    std::memcpy(&value, p, sizeof value);   // Access files are little-endian, as is the machine
    return value;
}

// An unsigned whole number with the point placed scale digits from the right,
// trailing zeros after the point left out: the exact value, as text.
QString decimalText(bool negative, unsigned __int128 magnitude, int scale)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (scale > 0) {
        if (int(digits.size()) <= scale)
            digits.insert(0, size_t(scale + 1 - int(digits.size())), '0');
        digits.insert(digits.size() - size_t(scale), 1, '.');
        while (digits.back() == '0')
            digits.pop_back();
        if (digits.back() == '.')
            digits.pop_back();
    }
    const bool zero = digits == "0";
    return QString::fromLatin1((negative && !zero ? "-" : "") + digits);
}

QString currencyText(const unsigned char *p)
{
    const qint64 value = stored<qint64>(p);   // ten-thousandths
    const bool negative = value < 0;
    const unsigned __int128 magnitude = negative ? (unsigned __int128)(-(__int128)value) : (unsigned __int128)value;
    return decimalText(negative, magnitude, 4);
}

// A decimal is a sign byte and a 128-bit whole number kept as four
// little-endian 32-bit words, the most significant word first.
QString decimalColumnText(const unsigned char *p, int scale)
{
    unsigned __int128 magnitude = 0;
    for (int word = 0; word < 4; ++word)
        magnitude = (magnitude << 32) | le32(p + 1 + 4 * word);
    return decimalText((p[0] & 0x80) != 0, magnitude, scale);
}

// A single keeps about seven digits; the store gets the shortest decimal that
// reads back as the same single (0.05, as Access shows it, not 0.0500000007).
double singleValue(const unsigned char *p)
{
    const float value = stored<float>(p);
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
}

QString guidText(const unsigned char *p)
{
    return QString::asprintf("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                             le32(p), unsigned(p[4] | p[5] << 8), unsigned(p[6] | p[7] << 8),
                             p[8], p[9], p[10], p[11], p[12], p[13], p[14], p[15]);
}

AccessKind kindOf(const MdbColumn *col)
{
    switch (col->col_type) {
    case MDB_BOOL: return AccessKind::YesNo;
    case MDB_BYTE: return AccessKind::Byte;
    case MDB_INT: return AccessKind::Integer;
    case MDB_LONGINT: return col->is_long_auto ? AccessKind::Counter : AccessKind::Long;
    case MDB_MONEY: return AccessKind::Currency;
    case MDB_FLOAT: return AccessKind::Single;
    case MDB_DOUBLE: return AccessKind::Double;
    case MDB_DATETIME: return AccessKind::DateTime;
    case MDB_TEXT: return AccessKind::Text;
    case MDB_MEMO: return AccessKind::Memo;
    case MDB_REPID: return AccessKind::Guid;
    case MDB_NUMERIC: return AccessKind::Decimal;
    default: return AccessKind::Binary;
    }
}

QString typeNameOf(const MdbColumn *col)
{
    switch (col->col_type) {
    case MDB_BOOL: return QStringLiteral("Yes/No");
    case MDB_BYTE: return QStringLiteral("Byte");
    case MDB_INT: return QStringLiteral("Integer");
    case MDB_LONGINT: return col->is_long_auto ? QStringLiteral("AutoNumber") : QStringLiteral("Long Integer");
    case MDB_MONEY: return QStringLiteral("Currency");
    case MDB_FLOAT: return QStringLiteral("Single");
    case MDB_DOUBLE: return QStringLiteral("Double");
    case MDB_DATETIME: return QStringLiteral("Date/Time");
    case MDB_TEXT: return QStringLiteral("Text");
    case MDB_MEMO: return QStringLiteral("Memo");
    case MDB_REPID: return QStringLiteral("Replication ID");
    case MDB_NUMERIC: return QStringLiteral("Decimal");
    case MDB_OLE: return QStringLiteral("OLE Object");
    case MDB_BINARY: return QStringLiteral("Binary");
    case MDB_COMPLEX: return QStringLiteral("Attachment or multi-value field");
    default: return QStringLiteral("type %1").arg(col->col_type);
    }
}

// Frees a table definition libmdb allocated, however the caller leaves.
struct TableDefGuard
{
    MdbTableDef *table;
    ~TableDefGuard() { if (table) mdb_free_tabledef(table); }
};

} // namespace

struct AccessReader::Private
{
    QString path;
    AccessFileCheck::Header header;
    MdbHandle *mdb = nullptr;
    std::vector<MdbCatalogEntry *> userTables;

    [[noreturn]] void damaged(const QString &what) const
    {
        throw AccessError(AccessError::Kind::Damaged,
                          QStringLiteral("The file %1 is damaged: %2. Copy it again from the school's computer, "
                                         "or let Access repair it (Compact and Repair), then import again.")
                              .arg(QDir::toNativeSeparators(path), what));
    }

    QString decodeText(const unsigned char *bytes, size_t size) const
    {
        const QByteArrayView view(reinterpret_cast<const char *>(bytes), qsizetype(size));
        return header.format == AccessFileCheck::Format::Jet3 ? JetText::decodeCodePage1252(view)
                                                              : JetText::decodeUnicode(view);
    }

    // One stored row of another page (a memo's long-value row).
    std::pair<const unsigned char *, size_t> pageRow(quint32 pageRow, const QString &table) const
    {
        void *buffer = nullptr;
        int offset = 0;
        size_t length = 0;
        if (mdb_find_pg_row(mdb, int(pageRow), &buffer, &offset, &length) != 0 || !buffer)
            damaged(QStringLiteral("a long text of table %1 points to a missing page").arg(table));
        offset &= RowOffsetMask;
        if (size_t(offset) + length > size_t(header.pageSize))
            damaged(QStringLiteral("a long text of table %1 points outside its page").arg(table));
        return {static_cast<const unsigned char *>(buffer) + offset, length};
    }

    // A memo is kept in the row itself, in one long-value row of another page,
    // or in a chain of them; its header gives the whole length.
    QString memoText(const unsigned char *field, size_t size, const QString &table) const
    {
        if (size < size_t(MemoHeaderSize))
            return QString();
        const quint32 lengthAndFlags = le32(field);
        const quint32 length = lengthAndFlags & 0x3fffffff;
        if (lengthAndFlags & 0x80000000)
            return decodeText(field + MemoHeaderSize, size - MemoHeaderSize);
        if (lengthAndFlags & 0x40000000) {
            const auto [bytes, rowLength] = pageRow(le32(field + 4), table);
            return decodeText(bytes, std::min<size_t>(rowLength, length));
        }
        if ((lengthAndFlags & 0xff000000) != 0)
            damaged(QStringLiteral("a long text of table %1 has an unknown form").arg(table));
        QByteArray whole;
        whole.reserve(qsizetype(length));
        quint32 next = le32(field + 4);
        // Each link carries at least one byte, so a chain longer than the
        // length is a loop in a damaged file.
        for (quint32 links = 0; next != 0; ++links) {
            if (links > length)
                damaged(QStringLiteral("a long text of table %1 runs in a circle").arg(table));
            const auto [bytes, rowLength] = pageRow(next, table);
            if (rowLength < 4)
                damaged(QStringLiteral("a long text of table %1 is cut short").arg(table));
            whole.append(reinterpret_cast<const char *>(bytes + 4), qsizetype(rowLength - 4));
            next = le32(bytes);
        }
        if (quint32(whole.size()) < length)
            damaged(QStringLiteral("a long text of table %1 is cut short").arg(table));
        whole.truncate(qsizetype(length));
        return decodeText(reinterpret_cast<const unsigned char *>(whole.constData()), size_t(whole.size()));
    }

    QVariant value(const AccessColumn &column, const MdbField &field, const QString &table, QString &problem) const
    {
        if (column.kind == AccessKind::YesNo)
            return QVariant(field.is_null ? 0 : 1);   // a yes/no is kept in the null flag itself
        if (field.is_null || column.kind == AccessKind::Binary)
            return QVariant();
        const unsigned char *p = static_cast<const unsigned char *>(field.value);
        const size_t size = size_t(std::max(field.siz, 0));
        switch (column.kind) {
        case AccessKind::Byte: return QVariant(qint64(p[0]));
        case AccessKind::Integer: return QVariant(qint64(stored<qint16>(p)));
        case AccessKind::Long:
        case AccessKind::Counter: return QVariant(qint64(stored<qint32>(p)));
        case AccessKind::Currency: return QVariant(currencyText(p));
        case AccessKind::Decimal: return QVariant(decimalColumnText(p, column.scale));
        case AccessKind::Single: return QVariant(singleValue(p));
        case AccessKind::Double: return QVariant(stored<double>(p));
        case AccessKind::DateTime: {
            const double raw = stored<double>(p);
            const QString text = JetDate::toStoreText(raw);
            if (text.isEmpty())
                problem += (problem.isEmpty() ? QString() : QStringLiteral("; "))
                    + QStringLiteral("column %1 holds a date outside the years 100 to 9999 (%2)").arg(column.name).arg(raw, 0, 'g', 17);
            return text.isEmpty() ? QVariant() : QVariant(text);
        }
        case AccessKind::Text: return QVariant(decodeText(p, size));
        case AccessKind::Memo: return QVariant(memoText(p, size, table));
        case AccessKind::Guid: return QVariant(guidText(p));
        case AccessKind::YesNo:
        case AccessKind::Binary: break;
        }
        return QVariant();
    }
};

AccessReader::AccessReader(const QString &path)
    : d(std::make_unique<Private>())
{
    d->path = path;
    d->header = AccessFileCheck::requireAccessFile(path);
    d->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!d->mdb)
        d->damaged(QStringLiteral("its first page cannot be read"));

    // Page 2 holds the definition of the table of tables. In a file whose
    // pages are encrypted it reads as noise.
    if (mdb_read_pg(d->mdb, 2) != ssize_t(d->header.pageSize) || d->mdb->pg_buf[0] != MDB_PAGE_TABLE) {
        if (d->header.format == AccessFileCheck::Format::Ace)
            throw AccessError(AccessError::Kind::Encrypted,
                              QStringLiteral("The file %1 is encrypted with a password (an Access 2007 or later "
                                             "database saved with \"Encrypt with Password\"). Its contents cannot be "
                                             "read without it: open it in Access, remove the password (File, Info, "
                                             "Decrypt Database) and import the copy.")
                                  .arg(QDir::toNativeSeparators(path)));
        d->damaged(QStringLiteral("its table of tables cannot be read"));
    }
    if (!mdb_read_catalog(d->mdb, MDB_TABLE))
        d->damaged(QStringLiteral("its table of tables cannot be read"));
    for (unsigned int i = 0; i < d->mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(d->mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            d->userTables.push_back(entry);
    }
}

AccessReader::~AccessReader()
{
    if (d->mdb)
        mdb_close(d->mdb);
}

AccessFileCheck::Format AccessReader::format() const
{
    return d->header.format;
}

QVector<AccessTable> AccessReader::tables()
{
    QVector<AccessTable> tables;
    for (MdbCatalogEntry *entry : d->userTables) {
        const TableDefGuard guard{mdb_read_table(entry)};
        const QString name = QString::fromUtf8(entry->object_name);
        if (!guard.table || !mdb_read_columns(guard.table))
            d->damaged(QStringLiteral("the definition of table %1 cannot be read").arg(name));
        AccessTable table;
        table.name = name;
        table.declaredRows = guard.table->num_rows;
        for (unsigned int i = 0; i < guard.table->num_cols; ++i) {
            const auto *col = static_cast<const MdbColumn *>(g_ptr_array_index(guard.table->columns, i));
            AccessColumn column;
            column.name = QString::fromUtf8(col->name);
            column.kind = kindOf(col);
            column.typeName = typeNameOf(col);
            if (column.kind == AccessKind::Text)
                column.textLength = d->header.format == AccessFileCheck::Format::Jet3 ? col->col_size : col->col_size / 2;
            column.precision = col->col_prec;
            column.scale = col->col_scale;
            table.columns << column;
        }
        tables << table;
    }
    return tables;
}

qint64 AccessReader::readRows(const AccessTable &table, const std::function<bool(const AccessRow &)> &onRow)
{
    const auto entry = std::find_if(d->userTables.begin(), d->userTables.end(), [&](MdbCatalogEntry *e) {
        return QString::fromUtf8(e->object_name) == table.name;
    });
    if (entry == d->userTables.end())
        d->damaged(QStringLiteral("table %1 is no longer in it").arg(table.name));
    const TableDefGuard guard{mdb_read_table(*entry)};
    MdbTableDef *def = guard.table;
    if (!def || !mdb_read_columns(def) || int(def->num_cols) != table.columns.size())
        d->damaged(QStringLiteral("the definition of table %1 cannot be read").arg(table.name));

    std::vector<MdbField> fields(def->num_cols);
    AccessRow row;
    row.values.resize(table.columns.size());
    qint64 count = 0;
    mdb_rewind_table(def);
    while (mdb_fetch_row(def)) {
        int start = 0;
        size_t length = 0;
        if (mdb_find_row(d->mdb, int(def->cur_row) - 1, &start, &length) != 0)
            d->damaged(QStringLiteral("a row of table %1 cannot be found").arg(table.name));
        start &= RowOffsetMask;
        if (mdb_crack_row(def, start, length, fields.data()) < 0)
            d->damaged(QStringLiteral("a row of table %1 cannot be read").arg(table.name));
        row.problem.clear();
        for (unsigned int i = 0; i < def->num_cols; ++i) {
            const MdbField &field = fields[i];
            const bool inPage = field.is_null || field.siz <= 0
                || (field.start >= 0 && field.start + field.siz <= int(d->header.pageSize));
            if (field.colnum < 0 || field.colnum >= int(def->num_cols) || !inPage)
                d->damaged(QStringLiteral("a row of table %1 points outside its page").arg(table.name));
            const AccessColumn &column = table.columns[field.colnum];
            row.values[field.colnum] = d->value(column, field, table.name, row.problem);
        }
        ++count;
        if (!onRow(row))
            return count;
    }
    if (count != table.declaredRows)
        d->damaged(QStringLiteral("table %1 should hold %2 rows but only %3 could be read")
                       .arg(table.name).arg(table.declaredRows).arg(count));
    return count;
}
