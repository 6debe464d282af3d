#pragma once

#include <QString>

// The word processor as the Word export drives it. The export connects the
// application, shows it, titles its window, appends the report piece by piece
// to the end of a new document and lets go of the document and then of the
// application, leaving the word processor running with the unsaved document.
// Every operation raises AppError with the failure's text when it fails.
class WordProcessor
{
public:
    virtual ~WordProcessor() = default;

    // Attaches to the word processor (starting it when needed) and opens the
    // document the export writes into. Does nothing when already connected.
    virtual void connectApplication() = 0;
    virtual void setVisible(bool visible) = 0;
    // Title of the word processor's window.
    virtual void setCaption(const QString &caption) = 0;
    // Appends text at the end of the document: "\r" starts a new paragraph,
    // "\t" is a tab.
    virtual void appendToDocument(const QString &text) = 0;
    // Let go without saving or closing anything.
    virtual void disconnectDocument() = 0;
    virtual void disconnectApplication() = 0;
};
