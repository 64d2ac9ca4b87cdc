#pragma once

#include <QString>

// `path` with "." + extension added when its file name has no extension of its own.
QString withDefaultExtension(const QString& path, const QString& extension);
