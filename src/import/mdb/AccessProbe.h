#pragma once

#include <QString>

// libmdb trusts the file it reads: on some damaged files it prints to stderr,
// stops the process or never ends. The probe reads every row of every table
// once in a child process, so such a file stops only the child and is then
// reported in plain words; only a file the child read whole is read again in
// the program itself.
namespace AccessProbe {

// Throws AccessError when the file cannot be read whole. The file is only read.
void requireReadable(const QString &path);

} // namespace AccessProbe
