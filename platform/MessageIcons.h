#pragma once

#include <QIcon>
#include <QStyle>

// The message boxes' warning, error, information and question icons, drawn at the size and pixel
// ratio they are shown at, so they stay as sharp as the text beside them at any scale (the
// styles' own are small bitmaps, enlarged). A null icon for any other standard pixmap.
QIcon messageBoxIcon(QStyle::StandardPixmap which);
