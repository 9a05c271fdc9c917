#include "components/controls/SCLResWinControl.h"

void TSCLResWinControl::CreateHandle(TWinControl* Control)
{
    if (Control)
        Control->HandleNeeded();
}

void TSCLResWinControl::FreeResources(TWinControl* Control)
{
    if (Control && Control->HandleAllocated())
        Control->DestroyHandle();
}
