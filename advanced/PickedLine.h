#pragma once

#include <QString>

// One line made by a picker: its text in the check-file form ("6/49  >  03 - 11 - ..."), or why
// none could be made, in words for the user.
struct PickedLine {
    bool ok = false;
    QString text;
    QString problem;
};
