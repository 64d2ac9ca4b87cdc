#pragma once

#include <QString>

class QWidget;

// What a file dialog shows: title, one filter line, default extension (added to a name typed
// without one), initial name, and whether to ask before overwriting or creating a file.
struct FileDialogOptions {
    QString title;
    QString filter; // Qt filter syntax, e.g. "Ballmere Pro Check File *.bmc (*.BMC* *.bmc*)"
    QString defaultExtension; // without the dot
    QString initialName;
    bool confirmOverwrite = true;
    bool confirmCreate = false;
};

// Modal message boxes and file dialogs.
class DialogService {
public:
    virtual ~DialogService() = default;
    // Warning icon, one OK button.
    virtual void warning(QWidget* parent, const QString& text) = 0;
    // Error icon, one OK button.
    virtual void error(QWidget* parent, const QString& text) = 0;
    // Information icon, one OK button: what a long operation did.
    virtual void information(QWidget* parent, const QString& text) = 0;
    // Yes / No; true for Yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // The chosen path, or empty when cancelled. Save dialogs add the default extension.
    virtual QString saveFileName(QWidget* parent, const FileDialogOptions& options) = 0;
    virtual QString openFileName(QWidget* parent, const FileDialogOptions& options) = 0;
};
