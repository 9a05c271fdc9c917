#pragma once
// The mapping from a fill's tile mode to the placement flags of the bitmap
// drawing routines.

#include "components/foundations/Sclgraph.h"
#include "platform/winapi/WinTypes.h"

// tmNone 0, tmCenter SCLBD_CENTER, tmStretch SCLBD_STRETCH, tmTile SCLBD_TILE.
WORD SCLTileMode2DSF(TSCLTileMode TileMode);
