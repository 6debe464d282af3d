#pragma once

#include "CertificateIssuer.h"
#include "CertificateRegister.h"

#include <functional>
#include <memory>

// The register's side of a certificate going out: the entry for the record
// shown, numbered (its own number when the same certificate went out before)
// and its output recorded as the document tells where it goes.
class RegisterIssuer final : public CertificateIssuer
{
public:
    // Called once the number is taken, before the document is made; what it
    // returns is kept until the document is made (the signing of a PDF).
    using WhileMaking = std::function<std::shared_ptr<void>(const certregister::Entry &numbered)>;

    RegisterIssuer(certregister::Register &reg, certregister::Entry entry, WhileMaking whileMaking = {});

    void issue(const Make &make, const std::function<void()> &withdraw) override;
    QString expectedNumber() override;
    bool printsNumber() const override;

private:
    certregister::Register &m_register;
    certregister::Entry m_entry;
    WhileMaking m_whileMaking;
};
