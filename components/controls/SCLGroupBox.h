#pragma once
// The published group box.

#include "components/controls/SCLCustomGroupBox.h"

class TSCLGroupBox : public TSCLCustomGroupBox {
public:
    explicit TSCLGroupBox(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLGroupBox() override;
};
