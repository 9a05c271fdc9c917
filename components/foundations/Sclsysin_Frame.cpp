#include "components/foundations/Sclsysin_Frame.h"

#include "platform/winapi/System_Metrics.h"

namespace {

struct Frame_Delta {
    int left, top, right, bottom;
};

struct Window_Facts {
    DWORD style;
    DWORD ex_style;
    bool tool_window;
    bool small_caption;
    bool minimized;
    bool Has(DWORD bits) const { return (style & bits) == bits; }
};

int Metric(int index) { return GetSystemMetrics(index); }

// Where the title bar lies inside the window's frame.
Frame_Delta Caption_Delta(const Window_Facts& window, WORD Flags, bool NewLook)
{
    const int b = Metric(SM_CXBORDER);
    const int bh = Metric(SM_CYBORDER);
    const Frame_Delta thin{b, bh, -b, -b};
    auto frame = [&](int fw, int fh) {
        return Frame_Delta{fw, fh, -fw, fh - bh - (NewLook ? 0 : b)};
    };
    if (!NewLook && (Flags & SCLNC_ICON))
        return thin;
    if (window.Has(WS_THICKFRAME))
        return frame(Metric(SM_CXFRAME), Metric(SM_CYFRAME));
    if (window.ex_style & WS_EX_DLGMODALFRAME)
        return frame(Metric(SM_CXDLGFRAME), Metric(SM_CYDLGFRAME));
    if (!NewLook && window.tool_window)
        return thin;
    return Frame_Delta{3 * b, 3 * bh, -3 * b, 2 * bh};
}

bool Has_Caption_Icon(const Window_Facts& window, WORD Flags, bool NewLook)
{
    const bool no_icon = (!window.Has(WS_THICKFRAME) || window.small_caption) && !(Flags & SCLNC_ICON) &&
                         (NewLook || !window.Has(WS_POPUP | WS_BORDER | WS_SYSMENU)) &&
                         (NewLook || !window.tool_window);
    return !no_icon;
}

// The text area of a window with a system menu: the icon at the left, the
// close, help, minimise and maximise buttons at the right.
void Narrow_With_System_Menu(const Window_Facts& window, RECT& Text, WORD& Flags, bool NewLook, int bw)
{
    const int b = Metric(SM_CXBORDER);
    const bool min_box = window.Has(WS_MINIMIZEBOX);
    const bool max_box = window.Has(WS_MAXIMIZEBOX);
    if (!NewLook)
        Text.right -= 2 * b;
    else if (!window.minimized)
        Text.right -= 3 * b + bw;
    if (Has_Caption_Icon(window, Flags, NewLook)) {
        Flags |= SCLNC_HASICON;
        if (NewLook) {
            Text.left += Metric(SM_CXSMICON) + Metric(SM_CXFRAME);
            if (window.minimized)
                Flags |= SCLNC_MINIMIZED;
            else
                Text.left += b;
        } else {
            Text.left += Metric(SM_CXSIZE) + 2 * b;
        }
    }
    if (!min_box && !max_box && (window.ex_style & WS_EX_CONTEXTHELP)) {
        if (NewLook)
            Text.right -= b;
        Text.right -= bw;
    }
    if (min_box || max_box)
        Text.right -= NewLook ? 2 * bw : bw * (min_box + max_box);
    if (NewLook && window.tool_window) {
        Text.left += 4 * b;
        Text.top += 3 * b;
        Text.right -= 2 * b;
    }
}

RECT Text_Area(const Window_Facts& window, const RECT& Unadjusted, const RECT& Caption, WORD& Flags, bool NewLook)
{
    const int b = Metric(SM_CXBORDER);
    const int bw = Metric(window.small_caption ? SM_CXSMSIZE : SM_CXSIZE);
    RECT text = window.small_caption ? Unadjusted : Caption;
    if (window.Has(WS_SYSMENU)) {
        Narrow_With_System_Menu(window, text, Flags, NewLook, bw);
    } else {
        text.left += 2 * b;
        if (!NewLook)
            text.right -= b;
        text.right -= bw * (window.Has(WS_MINIMIZEBOX) + window.Has(WS_MAXIMIZEBOX));
    }
    if (text.left == Caption.left)
        text.left += 2 * b;
    return text;
}

} // namespace

bool SCLNCNewLook() { return true; }

int SCLNCBITMAPWIDTH() { return Metric(SM_CXSIZE); }
int SCLNCBITMAPHEIGHT() { return Metric(SM_CYSIZE); }
int SCLNCCAPTIONHEIGHT() { return Metric(SM_CYCAPTION); }
int SCLNCDLGBORDERWIDTH() { return Metric(SM_CXDLGFRAME); }
int SCLNCDLGBORDERHEIGHT() { return Metric(SM_CYDLGFRAME); }
int SCLNCFIXBORDERWIDTH() { return Metric(SM_CXBORDER); }
int SCLNCFIXBORDERHEIGHT() { return Metric(SM_CYBORDER); }
int SCLNCSIZEBORDERWIDTH() { return Metric(SM_CXFRAME); }
int SCLNCSIZEBORDERHEIGHT() { return Metric(SM_CYFRAME); }
int SCLNCBORDERWIDTH() { return Metric(SM_CXBORDER) + Metric(SM_CXFRAME) - 1; }
int SCLNCBORDERHEIGHT() { return Metric(SM_CYBORDER) + Metric(SM_CYFRAME) - 1; }

int SCLNCSmallCaptionHeight(bool NewLook) { return Metric(NewLook ? SM_CYSMCAPTION : SM_CYCAPTION); }
int SCLNCSmallBitmapWidth(bool NewLook) { return Metric(NewLook ? SM_CXSMSIZE : SM_CXSIZE); }
int SCLNCSmallBitmapHeight(bool NewLook) { return Metric(NewLook ? SM_CYSMSIZE : SM_CYSIZE); }
int SCLNCCaptionIconWidth(bool NewLook) { return Metric(NewLook ? SM_CXSMICON : SM_CXSIZE); }
int SCLNCCaptionIconHeight(bool NewLook) { return Metric(NewLook ? SM_CYSMICON : SM_CYSIZE); }

int SCLNCSMALLCAPTIONHEIGHT() { return SCLNCSmallCaptionHeight(SCLNCNewLook()); }
int SCLNCSMALLBITMAPWIDTH() { return SCLNCSmallBitmapWidth(SCLNCNewLook()); }
int SCLNCSMALLBITMAPHEIGHT() { return SCLNCSmallBitmapHeight(SCLNCNewLook()); }
int SCLNCCAPTIONICONWIDTH() { return SCLNCCaptionIconWidth(SCLNCNewLook()); }
int SCLNCCAPTIONICONHEIGHT() { return SCLNCCaptionIconHeight(SCLNCNewLook()); }

void SCLNCCalcDrawingArea(HWND Window, RECT& CaptionRect, RECT& TextRect, WORD& Flags)
{
    SCLNCCalcDrawingAreaLook(Window, CaptionRect, TextRect, Flags, SCLNCNewLook());
}

void SCLNCCalcDrawingAreaLook(HWND Window, RECT& CaptionRect, RECT& TextRect, WORD& Flags, bool NewLook)
{
    // The findings of an earlier call do not carry over.
    Flags &= static_cast<WORD>(~(SCLNC_SMALLCAPTION | SCLNC_HASICON | SCLNC_MINIMIZED));
    const bool exists = IsWindow(Window);
    RECT bounds{0, 0, 0, 0};
    if (exists)
        GetWindowRect(Window, &bounds);
    Window_Facts window{};
    window.style = exists ? static_cast<DWORD>(GetWindowLongA(Window, GWL_STYLE)) : 0;
    window.ex_style = exists ? static_cast<DWORD>(GetWindowLongA(Window, GWL_EXSTYLE)) : 0;
    window.tool_window = (window.ex_style & WS_EX_TOOLWINDOW) != 0;
    window.small_caption = window.tool_window && NewLook;
    window.minimized = exists && IsIconic(Window);

    const int width = bounds.right - bounds.left;
    RECT unadjusted{0, 0, width, Metric(SM_CYCAPTION)};
    if (window.small_caption) {
        unadjusted.bottom = SCLNCSmallCaptionHeight(NewLook);
        Flags |= SCLNC_SMALLCAPTION;
    }
    const Frame_Delta delta = Caption_Delta(window, Flags, NewLook);
    CaptionRect = RECT{unadjusted.left + delta.left, unadjusted.top + delta.top, unadjusted.right + delta.right,
                       unadjusted.bottom + delta.bottom};
    TextRect = exists && IsWindowVisible(Window) ? Text_Area(window, unadjusted, CaptionRect, Flags, NewLook)
                                                 : unadjusted;

    const int b = Metric(SM_CXBORDER);
    if (Flags & SCLNC_MINIMIZED)
        CaptionRect.bottom -= Metric(SM_CYBORDER);
    TextRect.bottom = CaptionRect.bottom;
    if (Flags & SCLNC_CAPTIONTOTEXT)
        CaptionRect.right = TextRect.right;
    if ((Flags & SCLNC_HASICON) && !(NewLook && !(Flags & SCLNC_CAPTIONATTEXT))) {
        CaptionRect.left = TextRect.left;
        TextRect.left += 2 * b;
    }
}
