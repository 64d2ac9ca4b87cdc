#pragma once

// Small helpers shared by the tests: whole-file contents, folder listings and controls found
// by their objectName.

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QWidget>

namespace testfiles {

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

// The control `name` of `window`; a missing one ends the test program, naming it.
template <typename T> T* child(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s in %s", name, qPrintable(window.objectName()));
    return found;
}

} // namespace testfiles
