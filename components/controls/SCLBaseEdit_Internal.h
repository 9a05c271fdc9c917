#pragma once
// What the SCLBaseEdit source files share; not part of the unit's interface.

#include "components/controls/SCLBaseEdit.h"
#include "components/foundations/Sclclass.h"

namespace sclbaseedit_internal {

// A line break is the pair CR LF; selections, overwriting, the caret keys and
// a drop never split it.
inline constexpr char CR = '\r';
inline constexpr char LF = '\n';

inline TSCLEditModes With_Mode(TSCLEditModes Modes, TSCLEditMode Mode, bool On)
{
    if (On)
        Modes.Include(Mode);
    else
        Modes.Exclude(Mode);
    return Modes;
}

} // namespace sclbaseedit_internal
