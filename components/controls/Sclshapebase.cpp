#include "components/controls/Sclshapebase.h"

#include "components/foundations/Sclutils.h"

WORD SCLTileMode2DSF(TSCLTileMode TileMode)
{
    switch (TileMode) {
    case tmNone: return 0;
    case tmCenter: return SCLBD_CENTER;
    case tmStretch: return SCLBD_STRETCH;
    case tmTile: return SCLBD_TILE;
    }
    return 0;
}
