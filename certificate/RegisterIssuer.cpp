#include "RegisterIssuer.h"

namespace {

// Where the document goes, told to the register as the document learns it.
class RegisterDestination final : public CertificateIssuer::Destination
{
public:
    RegisterDestination(const certregister::GoingTo &goingTo, QString &how) : m_goingTo(goingTo), m_how(how) {}
    void goingTo(const QString &how, const QString &filePath) override
    {
        m_goingTo(how, filePath);
        m_how = how;
    }

private:
    const certregister::GoingTo &m_goingTo;
    QString &m_how;
};

} // namespace

RegisterIssuer::RegisterIssuer(certregister::Register &reg, certregister::Entry entry, WhileMaking whileMaking)
    : m_register(reg), m_entry(std::move(entry)), m_whileMaking(std::move(whileMaking))
{}

void RegisterIssuer::issue(const Make &make, const std::function<void()> &withdraw)
{
    const auto produce = [&](certregister::Entry &numbered, const certregister::GoingTo &goingTo) {
        RegisterDestination destination(goingTo, numbered.issuedHow);
        const std::shared_ptr<void> kept = m_whileMaking ? m_whileMaking(numbered) : nullptr;
        return make(numbered.number, destination);
    };
    if (withdraw)
        m_register.issueOutput(m_entry, produce, [&](const certregister::Entry &) { withdraw(); });
    else
        m_register.issueOutput(m_entry, produce);
}

QString RegisterIssuer::expectedNumber() { return m_register.expectedNumber(m_entry); }

bool RegisterIssuer::printsNumber() const { return m_register.settings().printNumber; }
