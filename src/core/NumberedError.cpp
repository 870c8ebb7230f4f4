#include "NumberedError.h"

NumberedError::NumberedError(long number, const QString &description)
    : m_number(number), m_description(description), m_utf8(description.toUtf8())
{
}
