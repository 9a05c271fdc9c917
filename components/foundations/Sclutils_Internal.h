#pragma once
// Helpers shared by the Sclutils source files; not part of the unit's
// interface.

#include "platform/classlib/Graphics.h"

class TCustomForm;

namespace sclutils {

// Intersects the DC's clip with a rectangle for a scope and then puts the
// caller's clip back (or none), so a routine's own clip never leaks out
// and never widens the caller's.
class Clip_Scope {
public:
    Clip_Scope(HDC dc, const RECT& rect);
    ~Clip_Scope();
    Clip_Scope(const Clip_Scope&) = delete;
    Clip_Scope& operator=(const Clip_Scope&) = delete;

private:
    HDC dc;
    HRGN saved;
    bool had_clip;
};

// Sets the DC's text and background colours for a scope (the colours a
// monochrome bitmap takes when copied onto colour) and restores them.
class Mono_Colors {
public:
    Mono_Colors(HDC dc, COLORREF text, COLORREF back);
    ~Mono_Colors();
    Mono_Colors(const Mono_Colors&) = delete;
    Mono_Colors& operator=(const Mono_Colors&) = delete;

private:
    HDC dc;
    COLORREF old_text;
    COLORREF old_back;
};

// The offset packed into a clip routine's Offset argument: signed low and
// high 16 bits.
POINT Unpack_Offset(int offset);

inline bool Is_Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline int Width_Of(const RECT& r) { return r.right - r.left; }
inline int Height_Of(const RECT& r) { return r.bottom - r.top; }

// Palettes matter only on a palette screen that the application lets
// realise them itself.
bool Palette_Allowed();

// One pass of the explode animations from a start point to the form's window
// rectangle (the public routines draw it twice on the screen, the second
// pass erasing the first).
void Draw_Explode(HDC dc, TCustomForm* form, POINT start, int delay, int steps);
void Draw_Explode2(HDC dc, TCustomForm* form, POINT start, bool trace, int delay, int start_height, int start_width,
                   int steps);

} // namespace sclutils
