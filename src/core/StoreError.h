#pragma once

#include "NumberedError.h"

// The one failure type of the store. It carries a number and a description,
// which the error report shows as "Error : <number>" and "Error Description: ...",
// and a kind that says what failed in words every engine shares, so code above
// the store decides on the kind and never on an engine's own codes.
class StoreError : public NumberedError
{
public:
    enum class Kind {
        Statement,          // this statement failed (its syntax, a value, a function); the store is fine
        Busy,               // another program holds a lock longer than the wait allows
        Unreachable,        // the store is gone, cannot be opened or written, or the link to it broke
        Refused,            // a rule of the store refused the write (a key, a check, a trigger)
        Damaged,            // the store's own structures are broken
        NotASchoolDatabase, // the store opens but is not a school's database (or no store at all)
        Missing,            // the statement names a table or column the store does not have
    };

    // The kind follows from the number for the numbers the store raises itself.
    StoreError(long number, const QString &description);
    StoreError(long number, const QString &description, Kind kind);

    Kind kind() const { return m_kind; }
    // The store as a whole is out of reach: every further statement would fail
    // the same way, so reporting the first failure stands for all of them.
    bool storeOutOfReach() const;

    // Numbers for failures the store raises itself (engine failures carry the
    // engine's own code instead).
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
    Kind m_kind;
};
