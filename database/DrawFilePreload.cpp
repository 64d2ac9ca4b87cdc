#include "DrawFilePreload.h"

#include "DrawFile.h"

DrawFilePreload::~DrawFilePreload() {
    finish();
}

void DrawFilePreload::start(std::function<QString()> locate) {
    if (thread_.joinable() || taken_)
        return;
    thread_ = std::thread([this, locate = std::move(locate)] {
        path_ = locate();
        if (!path_.isEmpty())
            error_ = loadDrawFile(path_, table_);
    });
}

bool DrawFilePreload::take(const QString& drawPath, TDrawTable& table, QString* error) {
    if (taken_ || !thread_.joinable())
        return false;
    finish();
    taken_ = true;
    if (path_.isEmpty() || path_ != drawPath) {
        table_ = TDrawTable(); // not wanted: give its memory back now
        return false;
    }
    table = std::move(table_);
    *error = error_;
    return true;
}

void DrawFilePreload::finish() {
    if (thread_.joinable())
        thread_.join();
}
