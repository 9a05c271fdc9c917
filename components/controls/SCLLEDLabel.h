#pragma once
// The published LED label.

#include "components/controls/SCLLEDCustomLabel.h"

class TSCLLEDLabel : public TSCLLEDCustomLabel {
public:
    explicit TSCLLEDLabel(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLLEDLabel() override;
};
