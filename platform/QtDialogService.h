#pragma once

#include "DialogService.h"

// Qt's message boxes and file dialogs.
class QtDialogService : public DialogService {
public:
    void warning(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    void information(QWidget* parent, const QString& text) override;
    bool question(QWidget* parent, const QString& text) override;
    QString saveFileName(QWidget* parent, const FileDialogOptions& options) override;
    QString openFileName(QWidget* parent, const FileDialogOptions& options) override;
};
