#include "UpdateSource.h"

#include "platform/DialogService.h"

#include "ui_UpdateSource.h"

#include <QPushButton>

UpdateSourceDialog::UpdateSourceDialog(const UpdateSource& source, DialogService& dialogs,
                                       QWidget* parent)
    : QDialog(parent), source_(source), dialogs_(dialogs),
      ui_(std::make_unique<Ui::UpdateSourceDialog>()) {
    ui_->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui_->AddressEdit->setText(source.address);
    ui_->UpdateAtStartCheck->setChecked(source.atStart);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
    connect(ui_->OkButton, &QPushButton::clicked, this, &UpdateSourceDialog::OkButtonClick);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

UpdateSourceDialog::~UpdateSourceDialog() = default;

UpdateSource UpdateSourceDialog::source() const {
    UpdateSource source = source_;
    source.address = ui_->AddressEdit->text().trimmed();
    source.atStart = ui_->UpdateAtStartCheck->isChecked();
    return source;
}

void UpdateSourceDialog::OkButtonClick() {
    const QString error = updateAddressError(ui_->AddressEdit->text());
    if (!error.isEmpty()) {
        dialogs_.warning(this, error);
        ui_->AddressEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    accept();
}
