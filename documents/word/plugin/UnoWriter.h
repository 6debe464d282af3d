#pragma once

#include "WordProcessor.h"
#include "WriterPlugin.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

// One export's links to LibreOffice Writer through a UNO bridge on a named
// pipe. The application link is the office and the frame of the new Writer
// document (LibreOffice has no application window apart from its documents'
// frames); the document link is that document's text. Failures are raised as
// std::runtime_error with the office's message.
class UnoWriter final : public WordProcessor
{
public:
    explicit UnoWriter(OfficeConnection connection);

    void connectApplication() override;
    void setVisible(bool visible) override;
    void setCaption(const QString &caption) override;
    void appendToDocument(const QString &text) override;
    void disconnectDocument() override;
    void disconnectApplication() override;

private:
    css::uno::Reference<css::uno::XComponentContext> attachOffice();
    qint64 startOffice();

    OfficeConnection m_connection;
    css::uno::Reference<css::uno::XComponentContext> m_office;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
    css::uno::Reference<css::frame::XFrame> m_frame;
    css::uno::Reference<css::text::XText> m_text;
};
