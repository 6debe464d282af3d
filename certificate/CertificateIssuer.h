#pragma once

#include <QString>

#include <functional>

// How a certificate going out gets its number: the register gives the number
// before the certificate is made and records how it went out. The documents
// know nothing more of the register.
class CertificateIssuer
{
public:
    virtual ~CertificateIssuer() = default;

    // Where the certificate being made goes: told before it goes there, and
    // for a file before the file takes its name, so that a certificate left
    // half made by a crash is found out afterwards. `how` is "Printer
    // <name>", "PDF <path>" or "Word"; `filePath` the output file (empty:
    // none).
    class Destination
    {
    public:
        virtual ~Destination() = default;
        virtual void goingTo(const QString &how, const QString &filePath = {}) = 0;
    };

    // Makes the certificate under the number given: `make` returns false
    // when nothing went out after all (cancelled). Raises AppError when the
    // register fails; nothing is then kept, and nothing made unless the
    // failure came last (its text then says so).
    using Make = std::function<bool(const QString &number, Destination &destination)>;
    virtual void issue(const Make &make, const std::function<void()> &withdraw = {}) = 0;

    // The number the certificate will most likely get: its own when the
    // same certificate went out before, else the next (for a file name or a
    // preview's title before the certificate is made).
    virtual QString expectedNumber() = 0;
    // Whether the number is printed on the page and written into the Word
    // document.
    virtual bool printsNumber() const = 0;
};
