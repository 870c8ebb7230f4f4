#pragma once

#include <QString>
#include <QByteArray>
#include <exception>

// The one failure type of the store. It carries a number and a description,
// which the error report shows as "Error : <number>" and "Error Description: ...".
class StoreError : public std::exception
{
public:
    StoreError(long number, const QString &description);

    long number() const { return m_number; }
    QString description() const { return m_description; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // Numbers for failures the store raises itself (SQLite failures carry the
    // SQLite extended result code instead).
    enum : long {
        NotAStore = 3343,           // "Unrecognized database format"
        CannotOpen = 3024,          // "Could not find file"
        ConnectionClosed = 3704,    // "Operation is not allowed when the object is closed."
        ItemNotFound = 3265,        // field name not in the recordset
        NoSuchTable = 3078,         // table missing from the column schema
        NotASchoolDatabase = 3011,  // a store without the host's tables
        TooComplex = 3190,          // a statement nested deeper than the translation takes
        FunctionArgument = 5,       // "Invalid procedure call or argument"
        Overflow = 6,
        TypeMismatch = 13,
        InvalidUseOfNull = 94,
    };

private:
    long m_number;
    QString m_description;
    QByteArray m_utf8;
};
