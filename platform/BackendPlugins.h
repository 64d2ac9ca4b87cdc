#pragma once

// The sound, print and network back ends live in plugins of their own beside the executable, so the
// libraries behind them are loaded when first used rather than at every start.

#include "NetworkService.h"
#include "PrintService.h"
#include "SoundOutput.h"

#include <QtPlugin>
#include <memory>

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    virtual std::unique_ptr<SoundOutput> createSoundOutput() = 0;
    // True once an output was destroyed while its sound thread was stuck in the sound server.
    virtual bool soundThreadLeftRunning() const = 0;
};

class PrintBackend {
public:
    virtual ~PrintBackend() = default;
    virtual std::unique_ptr<PrintService> createPrintService() = 0;
};

class NetworkBackend {
public:
    virtual ~NetworkBackend() = default;
    virtual std::unique_ptr<NetworkService> createNetworkService() = 0;
};

#define BallmereSoundBackend_iid "org.ballmere.SoundBackend/1"
#define BallmerePrintBackend_iid "org.ballmere.PrintBackend/3"
#define BallmereNetworkBackend_iid "org.ballmere.NetworkBackend/1"
Q_DECLARE_INTERFACE(NetworkBackend, BallmereNetworkBackend_iid)
Q_DECLARE_INTERFACE(SoundBackend, BallmereSoundBackend_iid)
Q_DECLARE_INTERFACE(PrintBackend, BallmerePrintBackend_iid)

namespace BackendPlugins {
// File names (without suffix) of the plugins in the executable's folder.
inline const char* const SoundPluginName = "ballmere-sound";
inline const char* const PrintPluginName = "ballmere-print";
inline const char* const NetworkPluginName = "ballmere-network";
} // namespace BackendPlugins
