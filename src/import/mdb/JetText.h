#pragma once

#include <QByteArrayView>
#include <QString>

// Texts as Access stores them, decoded exactly. Jet 4 and later keep UTF-16
// (little-endian), often in the "compressed" form that starts with FF FE and
// switches between one byte per character and two at each zero byte; Jet 3
// keeps the Windows code page 1252.
namespace JetText {

QString decodeUnicode(QByteArrayView bytes);
QString decodeCodePage1252(QByteArrayView bytes);

} // namespace JetText
