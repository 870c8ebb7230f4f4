// libFuzzer target for the SQL dialect translation: any text, translated or
// refused with a StoreError, never a crash, a hang or a sanitizer finding.
#include "SqlDialect.h"
#include "StoreError.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString sql = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const QString translated = SqlDialect::translate(sql);
        // Translating the translation must not fail in new ways either.
        SqlDialect::translate(translated);
    } catch (const StoreError &) {
        // Refused in the store's words: as intended.
    }
    return 0;
}
