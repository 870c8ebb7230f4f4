#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A failure as the error report shows it: "Error : <number>" and its
// description. The store's failures (StoreError) and the printer's
// (PrintError) are both; a handler that reports failures catches this one.
class NumberedError : public std::exception
{
public:
    NumberedError(long number, const QString &description);

    long number() const { return m_number; }
    QString description() const { return m_description; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    long m_number;
    QString m_description;
    QByteArray m_utf8;
};
