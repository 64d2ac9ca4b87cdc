#include "FileDialogs.h"

#include <QFileInfo>
#include <QRegularExpression>

QString withDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty() || QFileInfo(path).fileName().contains(u'.'))
        return path;
    return path + u'.' + extension;
}

QString filterExtension(const QString& filter) {
    static const QRegularExpression onePattern(QStringLiteral("\\(\\*\\.(\\w+)\\)\\s*$"));
    return onePattern.match(filter).captured(1);
}
