#pragma once
// The published progress bar.

#include "components/controls/SCLCustomProgress.h"

class TSCLProgress : public TSCLCustomProgress {
public:
    explicit TSCLProgress(TComponent* AOwner);
    // Out of line, so that the class's registration links with any use.
    ~TSCLProgress() override;
};
