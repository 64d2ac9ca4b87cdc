#pragma once

#include "NumberFilterDialog.h"

// "Enter Favorite Numbers": one box per number of the line; the numbers always appear in
// generated lines.
class TForm3 : public NumberFilterDialog {
    Q_OBJECT

public:
    TForm3(AppContext& context, QLabel* usingLabel, QWidget* parent = nullptr);
};
