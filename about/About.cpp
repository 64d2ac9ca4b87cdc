#include "About.h"

#include "ui_About.h"

TForm2::TForm2(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TForm2>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    QFont title = ui_->Label1->font();
    title.setPointSize(title.pointSize() * 2);
    title.setBold(true);
    ui_->Label1->setFont(title);
    connect(ui_->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

TForm2::~TForm2() = default;
