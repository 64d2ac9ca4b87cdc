#pragma once

#include <QString>

// `path` with "." + extension added when its file name has no extension of its own.
QString withDefaultExtension(const QString& path, const QString& extension);

// The one extension a filter entry such as "PNG image (*.png)" names, without the dot; "" when
// it names several patterns or none.
QString filterExtension(const QString& filter);
