#pragma once
// The published image control: one item of an image or bitmap list inside
// a bevel, transparent by default.

#include "components/controls/Sclcustomlimage.h"

class TSCLLImage : public TSCLCustomLImage {
public:
    explicit TSCLLImage(TComponent* AOwner);

    // The base answer; with SilentMove also a parent library control that
    // offers its background.
    bool CheckOptimized() override;

protected:
    void Paint() override;

private:
    // The item composed over the parent's background off-screen, then shown
    // in one step.
    void Paint_Off_Screen(const RECT& Rect, WORD Flags);
};
