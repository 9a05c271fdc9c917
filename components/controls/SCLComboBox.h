#pragma once
// The published combo box of the library.

#include "components/controls/SCLBaseEdit.h"
#include "components/controls/SCLCustomComboBox.h"

class TSCLComboBox : public TSCLCustomComboBox {
public:
    explicit TSCLComboBox(TComponent* AOwner);
    ~TSCLComboBox() override;
    TSCLImeMode ImeMode = imDontCare;
};
