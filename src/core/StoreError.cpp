#include "StoreError.h"

namespace {

StoreError::Kind kindOfNumber(long number)
{
    switch (number) {
    case StoreError::NotAStore:
    case StoreError::NotASchoolDatabase:
        return StoreError::Kind::NotASchoolDatabase;
    case StoreError::CannotOpen:
    case StoreError::ConnectionClosed:
        return StoreError::Kind::Unreachable;
    case StoreError::NoSuchTable:
        return StoreError::Kind::Missing;
    default:
        return StoreError::Kind::Statement;
    }
}

} // namespace

StoreError::StoreError(long number, const QString &description)
    : StoreError(number, description, kindOfNumber(number))
{
}

StoreError::StoreError(long number, const QString &description, Kind kind)
    : NumberedError(number, description), m_kind(kind)
{
}

bool StoreError::storeOutOfReach() const
{
    return m_kind == Kind::Busy || m_kind == Kind::Unreachable || m_kind == Kind::Damaged;
}
