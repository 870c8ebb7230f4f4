#include "AccessFileCheck.h"

#include "AccessError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace AccessFileCheck {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

quint32 le32(const QByteArray &bytes, int at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

} // namespace

QString formatName(Format format)
{
    switch (format) {
    case Format::Jet3: return QStringLiteral("Access 97 (Jet 3)");
    case Format::Jet4: return QStringLiteral("Access 2000-2003 (Jet 4)");
    case Format::Ace: return QStringLiteral("Access 2007 or later (ACE)");
    }
    return QString();
}

Header requireAccessFile(const QString &path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw AccessError(AccessError::Kind::CannotOpen,
                          QStringLiteral("The file %1 cannot be read: %2.")
                              .arg(shown(path), QFileInfo::exists(path) ? file.errorString()
                                                                          : QStringLiteral("it does not exist")));
    const QByteArray head = file.read(0x20);
    static const QByteArray lead("\x00\x01\x00\x00", 4);
    const bool jet = head.size() == 0x20 && head.startsWith(lead)
        && (head.mid(4, 16) == QByteArray("Standard Jet DB\0", 16) || head.mid(4, 16) == QByteArray("Standard ACE DB\0", 16));
    if (!jet)
        throw AccessError(AccessError::Kind::NotAccess,
                          QStringLiteral("The file %1 is not an Access database (.mdb or .accdb).").arg(shown(path)));

    Header header;
    const quint32 version = le32(head, 0x14);
    if (version == 0) {
        header.format = Format::Jet3;
        header.pageSize = 2048;
    } else if (version == 1) {
        header.format = Format::Jet4;
    } else if (version <= 6) {
        header.format = Format::Ace;
    } else {
        throw AccessError(AccessError::Kind::NotAccess,
                          QStringLiteral("The file %1 is an Access database of a version this program cannot read.")
                              .arg(shown(path)));
    }
    // Every Access file is whole pages; the first three (header, free-space
    // map, table of tables) are always there.
    const qint64 size = file.size();
    header.pages = size / header.pageSize;
    if (size % header.pageSize != 0 || header.pages < 3)
        throw AccessError(AccessError::Kind::Damaged,
                          QStringLiteral("The file %1 is damaged or incomplete (cut short at %2 bytes): "
                                         "copy it again from the school's computer.")
                              .arg(shown(path))
                              .arg(size));
    return header;
}

} // namespace AccessFileCheck
