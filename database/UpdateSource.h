#pragma once

#include "DrawUpdate.h"

#include <QDialog>
#include <memory>

class DialogService;

namespace Ui {
class UpdateSourceDialog;
}

// Asks where new draws come from and whether to look for them at start-up. Ok refuses an
// address that is not http or https, saying why, and stays open.
class UpdateSourceDialog : public QDialog {
    Q_OBJECT

public:
    UpdateSourceDialog(const UpdateSource& source, DialogService& dialogs, QWidget* parent);
    ~UpdateSourceDialog() override;

    // What was typed and ticked, over the source it was opened with.
    UpdateSource source() const;

    void OkButtonClick();

private:
    UpdateSource source_;
    DialogService& dialogs_;
    std::unique_ptr<Ui::UpdateSourceDialog> ui_;
};
