#include "ReadOnlyFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

bool canCreateFileIn(const QString& path) {
    QFile probe(QDir(path).filePath(QStringLiteral(".write-probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

bool runChattr(const QString& flag, const QString& path) {
    return QProcess::execute(QStringLiteral("chattr"), {flag, path}) == 0;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString& path) : path_(path) {
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner);
    if (canCreateFileIn(path_))
        immutable_ = runChattr(QStringLiteral("+i"), path_);
    effective_ = !canCreateFileIn(path_);
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (immutable_)
        runChattr(QStringLiteral("-i"), path_);
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
