#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Why an Access-format file cannot be read, in words an administrator can act on.
class AccessError : public std::exception
{
public:
    enum class Kind {
        CannotOpen,     // missing, unreadable
        NotAccess,      // not an Access-format file at all
        Damaged,        // truncated or damaged
        Encrypted,      // pages encrypted with a key the program cannot have
    };

    AccessError(Kind kind, const QString &message)
        : m_kind(kind), m_message(message), m_utf8(message.toUtf8()) {}

    Kind kind() const { return m_kind; }
    QString message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    Kind m_kind;
    QString m_message;
    QByteArray m_utf8;
};
