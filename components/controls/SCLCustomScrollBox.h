#pragma once
// The library's scroll box: its frame is a library bevel (the system's
// edge or border in bmWindows mode, else the bevel painted in the
// non-client area), and it can be transparent: it then takes its
// background from its parent and serves it to its transparent children as
// a parent panel does. The background scrolls with the content, so a
// scroll tells the children that their background moved.

#include <memory>
#include <string>

#include "components/controls/SCLCustomControl.h"
#include "components/controls/Sclbevel.h"
#include "platform/classlib/Forms_ScrollBox.h"

class TSCLScrollBoxBevel : public TSCLBevel {
public:
    // Mode bmWindows, also its stored default.
    TSCLScrollBoxBevel();
};

class TSCLCustomScrollBox : public TScrollBox, public TSCLBackProvider {
public:
    explicit TSCLCustomScrollBox(TComponent* AOwner);
    ~TSCLCustomScrollBox() override;

    // Informational only.
    std::string About;
    TSCLScrollBoxBevel* Bevel() const { return bevel.get(); }
    void SetBevel(TSCLBevel* Value);
    bool Transparent() const { return transparent; }
    void SetTransparent(bool Value);
    // Scroll messages per background refresh while scrolling; 0 is ignored.
    BYTE Delta() const { return delta; }
    void SetDelta(BYTE Value);
    // Scroll messages refresh by Delta; off: only at the end of a scroll.
    bool CountScrolls() const { return count_scrolls; }
    void SetCountScrolls(bool Value) { count_scrolls = Value; }
    // Called after the box painted its background.
    TNotifyEvent OnPaint;

    bool VertScrollBarVisible() const;
    bool HorzScrollBarVisible() const;
    bool ScrollBarsVisible() const { return VertScrollBarVisible() && HorzScrollBarVisible(); }

    virtual void GetChange(TObject* Sender);
    // Transparent, and a background source exists.
    bool CheckOptimized();
    TBitmap* BackBitmap() override;
    bool BackBitmapCheck() override;
    bool BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD Flags) override;
    POINT BackMapPoint(POINT P) override;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void PaintWindow(HDC DC) override;
    // The bars may have come or gone: the square between them is repainted.
    void AlignControls(TControl* AControl, RECT& Rect) override;

private:
    // The non-client inset the bevel takes on each side (none in bmWindows
    // mode, where the window's own border frames the box).
    int Frame_Inset() const;
    void Frame_Changed();
    void Paint_Frame();
    // The square between the two scroll bars; on this platform the bars lie
    // over the client area, so the square is painted through a client DC.
    void Paint_Corner(HDC DC);
    RECT Corner_Rect();
    // The background source (or Color) over the client area, on the canvas.
    void Draw_Background();
    // The answer to an erase with a background source.
    void Erase_Background(HDC DC);
    // The box's client origin in the back bitmap, scroll position added.
    POINT Origin_In_Back(TSCLBackProvider* Provider);
    void Scrolled(WPARAM WParam, bool Vertical);
    void Tell_Children(UINT Message);
    void Background_Moved();
    bool Loading() const { return ComponentState().Contains(csLoading); }

    std::unique_ptr<TSCLScrollBoxBevel> bevel;
    std::unique_ptr<TControlCanvas> canvas;
    bool transparent = false;
    bool count_scrolls = true;
    BYTE delta = 1;
    BYTE scroll_count = 0;
};
