#pragma once

#include "DrawTable.h"

#include <QString>

#include <functional>
#include <thread>

// Reads a draw file on a thread of its own. The database reloaded at start-up is read this
// way while the windows are being built; opening it then takes the rows already read instead
// of reading the file again. Rows are handed over only for the very file that was read, and
// only once: any other open reads its file as usual.
class DrawFilePreload {
public:
    DrawFilePreload() = default;
    ~DrawFilePreload(); // waits for the reading to end
    DrawFilePreload(const DrawFilePreload&) = delete;
    DrawFilePreload& operator=(const DrawFilePreload&) = delete;

    // Starts a thread that asks `locate` for the draw file to read ("" for none) and reads it
    // as loadDrawFile does. Call once.
    void start(std::function<QString()> locate);

    // When the file read was `drawPath`: waits for the reading to end, moves its rows into
    // `table` (row 0 is left as a fresh table has it), sets `*error` to loadDrawFile's result
    // and returns true. Otherwise, and on every later call, returns false.
    bool take(const QString& drawPath, TDrawTable& table, QString* error);

private:
    void finish();

    std::thread thread_;
    bool taken_ = false;
    // Written by the thread, read after it has ended.
    QString path_;
    TDrawTable table_;
    QString error_;
};
