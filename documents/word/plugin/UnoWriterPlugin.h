#pragma once

#include "UnoWriter.h"
#include "WriterPlugin.h"

#include <QObject>

// The plugin's entry point: hands out one UNO session per export.
class UnoWriterPlugin : public QObject, public WriterPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID WriterPlugin_iid)
    Q_INTERFACES(WriterPlugin)

public:
    std::unique_ptr<WordProcessor> createSession(const OfficeConnection &connection) override
    {
        return std::make_unique<UnoWriter>(connection);
    }
};
