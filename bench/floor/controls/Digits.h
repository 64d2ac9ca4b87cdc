#pragma once
// Stand-in for the program's rolling counter: a plain widget.
#include <QWidget>
using TDigits = QWidget;
