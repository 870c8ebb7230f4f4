#include "StoreError.h"

StoreError::StoreError(long number, const QString &description)
    : m_number(number), m_description(description), m_utf8(description.toUtf8())
{
}
