#pragma once

#include "NumberFilterDialog.h"

// "Enter Excluded Numbers": numbers never drawn; only as many boxes as leave enough numbers of
// the range to fill a line.
class TForm5 : public NumberFilterDialog {
    Q_OBJECT

public:
    TForm5(AppContext& context, QLabel* usingLabel, QWidget* parent = nullptr);
};
