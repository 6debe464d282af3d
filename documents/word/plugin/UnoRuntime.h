#pragma once

#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

// The process's own UNO runtime, set up on first use from the LibreOffice
// installation the program was built against. It is never released: UNO's
// internal threads and the bridges may use it until the process ends.
inline css::uno::Reference<css::uno::XComponentContext> unoRuntime()
{
    static const auto *context = [] {
        rtl::Bootstrap::set(rtl::OUString("URE_BOOTSTRAP"),
                            rtl::OUString("vnd.sun.star.pathname:" SART_LIBREOFFICE_PROGRAM_DIR "/fundamentalrc"));
        return new css::uno::Reference<css::uno::XComponentContext>(
            cppu::defaultBootstrap_InitialComponentContext());
    }();
    return *context;
}
