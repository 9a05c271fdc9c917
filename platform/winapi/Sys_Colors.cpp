#include "platform/winapi/Sys_Colors.h"

#include "platform/winapi/Gdi_Objects.h"

#include <array>

namespace {

constexpr std::array<COLORREF, 31> classic_scheme = {
    0xC0C0C0, // scroll bar
    0x808000, // desktop
    0x800000, // active caption
    0x808080, // inactive caption
    0xC0C0C0, // menu
    0xFFFFFF, // window
    0x000000, // window frame
    0x000000, // menu text
    0x000000, // window text
    0xFFFFFF, // caption text
    0xC0C0C0, // active border
    0xC0C0C0, // inactive border
    0x808080, // application workspace
    0x800000, // highlight
    0xFFFFFF, // highlight text
    0xC0C0C0, // button face
    0x808080, // button shadow
    0x808080, // grey text
    0x000000, // button text
    0xC0C0C0, // inactive caption text
    0xFFFFFF, // button highlight
    0x000000, // 3D dark shadow
    0xC0C0C0, // 3D light
    0x000000, // tooltip text
    0xE1FFFF, // tooltip background
    0xB5B5B5, // unused slot
    0x800000, // hot-tracked item
    0xD08410, // active caption gradient end
    0xB5B5B5, // inactive caption gradient end
    0x800000, // highlighted menu item
    0xC0C0C0, // menu bar
};

bool In_Scheme(int index) { return index >= 0 && index < static_cast<int>(classic_scheme.size()); }

} // namespace

DWORD GetSysColor(int index) { return In_Scheme(index) ? classic_scheme[static_cast<std::size_t>(index)] : 0; }

HBRUSH GetSysColorBrush(int index)
{
    if (!In_Scheme(index))
        return nullptr;
    static const std::array<Gdi_Brush*, classic_scheme.size()> brushes = [] {
        std::array<Gdi_Brush*, classic_scheme.size()> made{};
        for (std::size_t i = 0; i < made.size(); ++i) {
            made[i] = new Gdi_Brush(LOGBRUSH{BS_SOLID, classic_scheme[i], 0});
            made[i]->stock = true;
        }
        return made;
    }();
    return brushes[static_cast<std::size_t>(index)];
}
