// The plugin that carries the Qt Multimedia sound output.
#include "BackendPlugins.h"
#include "QtSoundOutput.h"

#include <QObject>

class SoundPlugin : public QObject, public SoundBackend {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID BallmereSoundBackend_iid)
    Q_INTERFACES(SoundBackend)

public:
    std::unique_ptr<SoundOutput> createSoundOutput() override {
        return std::make_unique<QtSoundOutput>();
    }
    bool soundThreadLeftRunning() const override { return QtSoundOutput::threadLeftRunning(); }
};

#include "SoundPlugin.moc"
