#pragma once

#include <QString>

class SoundOutput;
class PrintService;
class DialogService;
class Clock;
class NetworkService;

// Everything the outside world provides, handed to each window through its context.
struct Platform {
    SoundOutput& sound;
    PrintService& printer;
    DialogService& dialogs;
    Clock& clock;
    QString programFolder; // the executable's folder, ends with a '/'
    // Where the settings file and new databases go when the program folder cannot take them
    // (an installed program); empty: the program folder. Ends with a '/'.
    QString dataFolder = {};
    // Fetches web addresses; none in a context that never goes on line.
    NetworkService* network = nullptr;

    // The folder of the settings file and of new databases' header files.
    QString settingsFolder() const { return dataFolder.isEmpty() ? programFolder : dataFolder; }
};
