// The plugin that carries the Qt Print Support printing.
#include "BackendPlugins.h"
#include "QtPrintService.h"

#include <QObject>

class PrintPlugin : public QObject, public PrintBackend {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID BallmerePrintBackend_iid)
    Q_INTERFACES(PrintBackend)

public:
    std::unique_ptr<PrintService> createPrintService() override {
        return std::make_unique<QtPrintService>();
    }
};

#include "PrintPlugin.moc"
