#pragma once

#include <QString>

// Looks at an Access-format file's first page before any library reads it,
// so a file that is not one, or is cut short, is named in plain words instead
// of being handed to a reader that may print to stderr or stop the program.
namespace AccessFileCheck {

enum class Format { Jet3, Jet4, Ace };

struct Header
{
    Format format = Format::Jet4;
    int pageSize = 4096;
    qint64 pages = 0;
};

// Throws AccessError (CannotOpen, NotAccess, Damaged) when the file cannot be
// an intact Access database. Reads only; the file is never written.
Header requireAccessFile(const QString &path);

QString formatName(Format format);

} // namespace AccessFileCheck
