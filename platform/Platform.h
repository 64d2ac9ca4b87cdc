#pragma once

#include <QString>

class SoundOutput;
class PrintService;
class DialogService;
class Clock;

// Everything the outside world provides, handed to each window through its context.
struct Platform {
    SoundOutput& sound;
    PrintService& printer;
    DialogService& dialogs;
    Clock& clock;
    QString programFolder; // ends with a '/'
};
