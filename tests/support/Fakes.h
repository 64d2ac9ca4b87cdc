#pragma once

#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/PrintService.h"
#include "platform/SoundOutput.h"

#include <QDate>
#include <QList>
#include <QStringList>

class FakeSound : public SoundOutput {
public:
    int devices = 1;
    int plays = 0;
    int stops = 0;
    QByteArray lastImage;

    int deviceCount() const override { return devices; }
    void play(const QByteArray& waveImage) override {
        ++plays;
        lastImage = waveImage;
    }
    void stop() override { ++stops; }
};

// With failWith set to PrintService::noDefaultPrinterMessage(), a machine without a printer.
class FakePrinter : public PrintService {
public:
    QString failWith;         // returned instead of printing when set
    QStringList printedLines; // the last list printed: its intro rows, then its lines
    TextPage text;            // the last list printed
    ChartPage chart;          // the last chart printed
    int jobs = 0;
    int pages = 0; // charts printed
    QString jobTitle;

    QString printText(const TextPage& page) override;
    // Paints the page as the program would, into a PDF in memory.
    QString printChart(const ChartPage& page) override;
    // Real files, drawn as the program draws them.
    QByteArray textFile(const TextPage& page) override;
    QByteArray chartFile(const ChartPage& page, PageFileType type) override;
};

// Records every box and dialog shown; answers from scripted queues (empty queue: cancel / No).
class FakeDialogs : public DialogService {
public:
    QStringList warnings;
    QStringList errors;
    QStringList informations;
    QStringList questions;
    QList<FileDialogOptions> fileDialogs;
    QList<bool> questionAnswers;
    QStringList fileAnswers;

    void warning(QWidget*, const QString& text) override { warnings << text; }
    void error(QWidget*, const QString& text) override { errors << text; }
    void information(QWidget*, const QString& text) override { informations << text; }
    bool question(QWidget*, const QString& text) override;
    QString saveFileName(QWidget*, const FileDialogOptions& options) override;
    QString openFileName(QWidget*, const FileDialogOptions& options) override;

    // Everything shown, warnings and errors alike, in one list.
    QStringList messages() const { return warnings + errors; }
};

class FakeClock : public Clock {
public:
    mutable int millis = 12345678;
    QDate today{2026, 12, 7};
    QString dateFormat = QStringLiteral("dd/MM/yy");
    int advancePerRead = 0; // milliseconds the clock moves on after each read; 0 stands still
    mutable qint64 reads = 0;

    int millisecondsSinceMidnightUtc() const override {
        ++reads;
        const int now = millis;
        millis = (millis + advancePerRead) % (24 * 3600 * 1000);
        return now;
    }
    QString shortDateFormat() const override { return dateFormat; }
    QString todayShortDate() const override { return today.toString(dateFormat); }
};
