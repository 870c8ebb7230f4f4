#pragma once

#include "NumberedError.h"

// A print job that could not go on: the printer failed, the file could not be
// written, or the user cancelled. The error report shows it as it shows a
// store failure, but it is not one: printing knows nothing of the store.
class PrintError : public NumberedError
{
public:
    using NumberedError::NumberedError;

    enum : long {
        PrinterFailed = 482,   // "Printer error."
        CannotWrite = 75,      // "Path/File access error"
    };
};
