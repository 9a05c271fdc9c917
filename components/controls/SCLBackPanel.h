#pragma once
// The published background panel: a parent panel drawing an item of a
// bitmap list (usually the global "SCLBML30") behind its children.

#include "components/controls/SCLCustomParentPanel.h"

class TSCLBackPanel : public TSCLCustomParentPanel {
public:
    explicit TSCLBackPanel(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLBackPanel() override;
};
