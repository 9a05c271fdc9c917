#pragma once
// Window-frame sizes of the running system and the title-bar geometry the
// form styler paints into (part of the unit Sclsysin). The sizes are the
// platform's system metrics; on Linux the window manager draws the real
// frames, and these are the fixed classic values the metrics report.

#include "platform/winapi/Window.h"

// Flags of SCLNCCalcDrawingArea: options of the caller ...
constexpr WORD SCLNC_CAPTIONTOTEXT = 0x0001; // the caption ends where the text does
constexpr WORD SCLNC_CAPTIONATTEXT = 0x0002; // with an icon, the caption starts where the text does (new look too)
constexpr WORD SCLNC_ICON = 0x0020;          // an icon also without a sizing frame (old look: one-border frame)
// ... and what the routine found.
constexpr WORD SCLNC_SMALLCAPTION = 0x0004;
constexpr WORD SCLNC_HASICON = 0x0008;
constexpr WORD SCLNC_MINIMIZED = 0x0010;

// The class library's new-style-controls flag: the system is of the new look.
bool SCLNCNewLook();

int SCLNCBITMAPWIDTH();
int SCLNCBITMAPHEIGHT();
int SCLNCCAPTIONHEIGHT();
int SCLNCDLGBORDERWIDTH();
int SCLNCDLGBORDERHEIGHT();
int SCLNCFIXBORDERWIDTH();
int SCLNCFIXBORDERHEIGHT();
int SCLNCSIZEBORDERWIDTH();
int SCLNCSIZEBORDERHEIGHT();
int SCLNCBORDERWIDTH();
int SCLNCBORDERHEIGHT();
int SCLNCSMALLCAPTIONHEIGHT();
int SCLNCSMALLBITMAPWIDTH();
int SCLNCSMALLBITMAPHEIGHT();
int SCLNCCAPTIONICONWIDTH();
int SCLNCCAPTIONICONHEIGHT();
// The same under a chosen look.
int SCLNCSmallCaptionHeight(bool NewLook);
int SCLNCSmallBitmapWidth(bool NewLook);
int SCLNCSmallBitmapHeight(bool NewLook);
int SCLNCCaptionIconWidth(bool NewLook);
int SCLNCCaptionIconHeight(bool NewLook);

// The title bar of Window (CaptionRect, window coordinates) and the part of
// it left for the caption text once the frame, icon and buttons are taken
// off (TextRect). Flags carries the caller's options in and the findings out.
void SCLNCCalcDrawingArea(HWND Window, RECT& CaptionRect, RECT& TextRect, WORD& Flags);
// The same under a chosen look.
void SCLNCCalcDrawingAreaLook(HWND Window, RECT& CaptionRect, RECT& TextRect, WORD& Flags, bool NewLook);
