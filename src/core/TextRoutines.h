#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

// Text routines every statement builder and code lookup uses; no widgets.

// Apostrophes doubled; an empty text becomes one blank.
QString SqlText(const QString &text);

QString DropFirstChar(const QString &text);

// Stored texts carry Windows line breaks (CR LF); Qt's editors, layouts and the
// console want one "\n" per break. The one conversion each way.
QString plainLineBreaks(const QString &text);
QString windowsLineBreaks(const QString &plain);

// A code table: entries of (code as decimal text, description), indexed from 1
// in the routines' own terms; here a plain list.
struct CodeEntry { QString code; QString description; };
using CodeTable = QVector<CodeEntry>;
// Exact (case-sensitive, untrimmed) match of description; 0 when not found or blank.
qint32 LookupCodeByText(const QString &description, const CodeTable &table);
