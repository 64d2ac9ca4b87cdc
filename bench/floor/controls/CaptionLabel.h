#pragma once
// Stand-in for the program's caption label: a plain label.
#include <QLabel>
using CaptionLabel = QLabel;
