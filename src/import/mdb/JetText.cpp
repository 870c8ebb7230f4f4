#include "JetText.h"

#include <QVarLengthArray>

namespace JetText {

QString decodeUnicode(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    qsizetype n = bytes.size();
    QVarLengthArray<char16_t, 512> units;
    if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
        bool compressed = true;
        for (qsizetype i = 2; i < n;) {
            if (p[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                units.append(char16_t(p[i]));
                ++i;
            } else if (i + 1 < n) {
                units.append(char16_t(p[i] | (p[i + 1] << 8)));
                i += 2;
            } else {
                break;   // an odd byte at the end carries no character
            }
        }
    } else {
        units.reserve(n / 2);
        for (qsizetype i = 0; i + 1 < n; i += 2)
            units.append(char16_t(p[i] | (p[i + 1] << 8)));
    }
    return QString::fromUtf16(units.constData(), units.size());
}

QString decodeCodePage1252(QByteArrayView bytes)
{
    // 0x80 to 0x9F are where code page 1252 differs from Latin-1; the five
    // unassigned bytes keep their Latin-1 control characters.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return text;
}

} // namespace JetText
