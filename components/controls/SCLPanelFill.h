#pragma once
// The published fill panel.

#include "components/controls/SCLCustomPanelFill.h"

class TSCLPanelFill : public TSCLCustomPanelFill {
public:
    explicit TSCLPanelFill(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLPanelFill() override;
};
