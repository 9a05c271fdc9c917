#pragma once
// The published plain bevel panel: coloured tiles and frames of the screens.

#include "components/controls/SCLCustomBevelPanel.h"

class TSCLSimplePanel : public TSCLCustomBevelPanel {
public:
    explicit TSCLSimplePanel(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLSimplePanel() override;
};
