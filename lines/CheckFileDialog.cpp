#include "CheckFileDialog.h"

#include "CheckFile.h"
#include "platform/DialogService.h"

void saveCheckFileAs(QWidget* parent, DialogService& dialogs, const QStringList& lines) {
    FileDialogOptions options;
    options.title = QStringLiteral("Save Ballmere Pro Check File");
    options.filter = QStringLiteral("Ballmere Pro Check File *.bmc (*.BMC* *.bmc*)");
    options.defaultExtension = QStringLiteral("bmc");
    options.initialName = QStringLiteral("Ballmere");
    options.confirmOverwrite = true;
    options.confirmCreate = true;
    const QString fileName = dialogs.saveFileName(parent, options);
    if (fileName.isEmpty())
        return;
    const QString error = CheckFile::write(fileName, lines);
    if (!error.isEmpty())
        dialogs.error(parent, error);
}

QString openCheckFileName(QWidget* parent, DialogService& dialogs) {
    FileDialogOptions options;
    options.title = QStringLiteral("Load Ballmere Pro Check File");
    options.filter = QStringLiteral("Ballmere Pro Check File *.bmc (*.BMC* *.bmc*)");
    options.defaultExtension = QStringLiteral("bmc");
    options.confirmOverwrite = false;
    return dialogs.openFileName(parent, options);
}
