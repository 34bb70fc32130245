#pragma once

#include <QString>
#include <exception>

// A failure that ends the running command and is shown by the program's general error
// display (the platform errors of file writes, conversion errors, refused settings writes).
class TkelFehler : public std::exception
{
public:
    explicit TkelFehler(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const noexcept { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// Ends the running command silently: the error display does not report it.
// Thrown after a message was already shown (InternerFehler, DateiPflicht).
class TkelAbbruch : public std::exception
{
public:
    const char *what() const noexcept override { return "abort"; }
};
