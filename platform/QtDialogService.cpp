#include "QtDialogService.h"

#include "FileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QString runFileDialog(QWidget* parent, const FileDialogOptions& options,
                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, options.title, QDir::currentPath(), options.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.defaultExtension);
    // A name typed without an extension takes the one of the type the user picked.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const QString extension = filterExtension(filter);
        dialog.setDefaultSuffix(extension.isEmpty() ? options.defaultExtension : extension);
    });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!options.initialName.isEmpty())
        dialog.selectFile(options.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void QtDialogService::warning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Warning"), text);
}

void QtDialogService::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Error"), text);
}

void QtDialogService::information(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QApplication::applicationName(), text);
}

bool QtDialogService::question(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QStringLiteral("Confirm"), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString QtDialogService::saveFileName(QWidget* parent, const FileDialogOptions& options) {
    const QString path = withDefaultExtension(
        runFileDialog(parent, options, QFileDialog::AcceptSave), options.defaultExtension);
    if (!path.isEmpty() && options.confirmCreate && !QFileInfo::exists(path) &&
        !question(parent, QStringLiteral("%1\nThis file does not exist.\nCreate the file?")
                              .arg(QDir::toNativeSeparators(path))))
        return {};
    return path;
}

QString QtDialogService::openFileName(QWidget* parent, const FileDialogOptions& options) {
    return runFileDialog(parent, options, QFileDialog::AcceptOpen);
}
