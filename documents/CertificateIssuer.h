#pragma once

#include <QString>

#include <functional>

// How a certificate going out gets its number: the register gives the number
// while the certificate is being made and keeps its entry only when the
// certificate was made. The documents know nothing more of the register.
class CertificateIssuer
{
public:
    virtual ~CertificateIssuer() = default;

    // Makes the certificate under the number given: `make` returns false
    // when it was not made after all (cancelled), and sets `how` (the
    // printer, the file). Raises AppError when the register fails; nothing
    // is then kept, and nothing made unless the failure came last (its text
    // then says so).
    using Make = std::function<bool(const QString &number, QString &how)>;
    virtual void issue(const Make &make, const std::function<void()> &withdraw = {}) = 0;

    // The number the next certificate will most likely get: for a file name
    // offered before the certificate is made.
    virtual QString expectedNumber() = 0;
    // Whether the number is printed on the page and written into the Word
    // document.
    virtual bool printsNumber() const = 0;
};
