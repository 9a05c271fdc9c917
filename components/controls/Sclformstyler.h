#pragma once
// Paints its owner form's title bar itself: a horizontal gradient from black
// to the caption colour, the caption in a chosen alignment and font (with 3D
// effects), or an owner-drawn title through events. It hooks the form's
// window procedure for the non-client paint and activation messages.
//
// On Linux the window manager draws the title bar of every top-level window
// that has one; that bar is not ours to paint. So while the styler paints
// (enabled, a paint mode, and no system gradient title to leave alone), it
// takes the title over: the form's window drops the window manager's frame
// and gets a title strip of its own at the top of its non-client area, with
// the caption, a close button, and dragging by the window system's move.
// Letting go gives the window its frame back. PaintTitleBarOn draws the
// same title onto any canvas.

#include <array>
#include <memory>
#include <string>

#include "components/controls/SCLCustomFormFill.h"
#include "components/foundations/Scl3dcaption.h"
#include "components/foundations/Sclwndproccomponent.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/StdCtrls.h"

enum TSCLFormStyleOption {
    fsAdjustRect, fsUseDefaultFont, fsUseFontColor, fsInactiveGradient, fsDrawCaptionEvent, fsUseFormCaption,
    fsCheckSystemGradient
};
using TSCLFormStyleOptions = TSet<TSCLFormStyleOption>;
template <>
struct TSCLEnumInfo<TSCLFormStyleOption> {
    static constexpr const char* TypeName = "TSCLFormStyleOption";
    static constexpr std::array<const char*, 7> Names{"fsAdjustRect",        "fsUseDefaultFont",   "fsUseFontColor",
                                                      "fsInactiveGradient",  "fsDrawCaptionEvent", "fsUseFormCaption",
                                                      "fsCheckSystemGradient"};
};

class TSCLFormStyler : public TSCLWndProcComponent {
public:
    static constexpr TSCLFormStyleOptions Default_Options{fsAdjustRect, fsUseDefaultFont, fsUseFormCaption,
                                                          fsCheckSystemGradient};
    static constexpr BYTE Min_Colors = 2;
    static constexpr BYTE Max_Colors = 236;

    explicit TSCLFormStyler(TComponent* AOwner);
    ~TSCLFormStyler() override;

    TAlignment Alignment() const { return alignment; }
    void SetAlignment(TAlignment Value);
    // Gradient steps, kept within 2..236.
    BYTE Colors() const { return colors; }
    void SetColors(BYTE Value);
    TFont* Font() const { return font.get(); }
    void SetFont(TFont* Value) { font->Assign(Value); }
    TSCL3DCaption* Font3D() const { return font_3d.get(); }
    void SetFont3D(TSCL3DCaption* Value) { font_3d->Assign(Value); }
    TSCLPaintMode PaintMode() const { return paint_mode; }
    void SetPaintMode(TSCLPaintMode Value);
    TSCLFormStyleOptions Options() const { return options; }
    void SetOptions(TSCLFormStyleOptions Value);
    // The text shown in the title bar when the form's caption is not used.
    const std::string& Caption() const { return caption; }
    void SetCaption(const std::string& Value);
    // The system's own title bar is a gradient already (new systems).
    bool SystemGradient() const { return system_gradient; }
    bool SmallCaption() const { return small_caption; }
    bool Painting() const { return painting; }
    bool FormActive() const { return active; }
    // The form's window shows the styler's own title strip.
    bool OwnTitle() const { return own_title; }
    // The strip's rectangle in window coordinates, and its close button's.
    RECT TitleStripRect() const;
    RECT CloseButtonRect() const;

    TSCLPaintEvent OnPaint;
    TSCLPaintEvent OnCaptionPaint;

    // Asks the system to repaint the title bar (WM_NCACTIVATE 1).
    void NCPaint();
    void ForceNCPaint();
    // Paints the owner's title bar when it is the window's own; answers
    // whether it painted.
    bool PaintTitleBar(bool Full);
    // The title onto Canvas: the bar in CaptionRect, the text in TextRect;
    // Flags are SCLNCCalcDrawingArea's (an icon area is kept with
    // SCLNC_HASICON and Full).
    void PaintTitleBarOn(TCanvas* Canvas, const RECT& CaptionRect, const RECT& TextRect, WORD Flags, bool Full);

    void Init() override;
    void RestoreState() override;
    void WndProc(TMessage& Message) override;
    void GetChange(TObject* Sender) override;

private:
    bool Form_Active() const { return active || options.Contains(fsInactiveGradient); }
    // The styler paints rather than leaving the system's title.
    bool Paints_Title() const;
    // Takes the title from the window manager, or gives it back, as
    // Paints_Title says.
    void Update_Title_Owner();
    void Give_Title_Back();
    bool Own_Title_Message(TMessage& Message);
    void Paint_Inactive_Title(TCanvas* Canvas, const RECT& CaptionRect, const RECT& TextRect);
    void Paint_Close_Button(TCanvas* Canvas);
    void Repaint_After_Change(bool Full);
    // The window manager frames and titles the owner's window.
    bool Title_Bar_Of_Window_Manager(HWND Window) const;
    void Select_Title_Font(TCanvas* Canvas, WORD Flags);
    void Set_Title_Text_Color(TCanvas* Canvas);
    void Draw_Caption(TCanvas* Canvas, const RECT& TextRect);
    void Answer_Caption_Text(TMessage& Message);

    bool system_gradient;
    TAlignment alignment = taLeftJustify;
    BYTE colors = 32;
    std::unique_ptr<TFont> font;
    std::unique_ptr<TSCL3DCaption> font_3d;
    bool active = false;
    TSCLPaintMode paint_mode = pcControl;
    TSCLFormStyleOptions options = Default_Options;
    bool small_caption = false;
    std::string caption;
    std::unique_ptr<TBitmap> icon_bitmap;
    bool painting = false;
    bool caption_moved = false;
    bool own_title = false;
    DWORD taken_frame = 0;
};
