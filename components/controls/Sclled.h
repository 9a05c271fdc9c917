#pragma once
// Text painted as sixteen-segment display characters: seven classic bars,
// two inner verticals, four inner diagonals and three dots per character
// cell. Lit segments are solid in ActiveColor; unlit ones show as a dither
// of InActiveColor over the background, taken from a template cell.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Graphics_Bitmap.h"

enum TSCLLEDLights {
    llTop, llTopLeft, llTopRight, llMiddle, llBottomLeft, llBottomRight, llBottom, llInTopMiddle, llInBottomMiddle,
    llInTopLeft, llInTopRight, llInBottomLeft, llInBottomRight, llPointMiddle, llPointTop, llPointBottom
};

using TSCLLEDOutline = std::array<POINT, 6>;

class TSCLLED : public TSCLObject {
public:
    TSCLLED();
    ~TSCLLED() override;
    TSCLLED(const TSCLLED&) = delete;
    TSCLLED& operator=(const TSCLLED&) = delete;

    TColor ActiveColor() const { return active_color; }
    TColor InActiveColor() const { return inactive_color; }
    TColor BackColor() const { return back_color; }
    // 0 ActiveColor, 1 InActiveColor, 2 the background.
    void SetColor(int Index, TColor Value);
    BYTE Horzsize() const { return horz_size; }
    BYTE Thickness() const { return thickness; }
    BYTE Vertsize() const { return vert_size; }
    // 1 Horzsize, 2 Thickness, 3 Vertsize.
    void SetByte(int Index, BYTE Value);
    // Lit segments are left dark while the owner is disabled.
    bool DisabledDigits() const { return disabled_digits; }
    void SetEnabled(bool Value);

    // The size of one character cell.
    int GetWidth() const { return horz_size + 5 * thickness; }
    int GetHeight() const { return 2 * vert_size + 7 * thickness; }

    // While flashing, each paint alternates between blank and lit cells.
    virtual void BeginFlash();
    virtual void EndFlash();
    bool Flashing() const { return flash; }

    // Paints Text from Rect's top-left, a carriage return starting a new
    // row; with Draw false it only counts the lines and columns.
    void PaintLED(TCanvas* Canvas, const RECT& Rect, const std::string& Text, bool Draw, bool Enabled);
    // The size Text takes, with Border pixels round it.
    RECT CalcBoundsRect(const std::string& Text, int Border);
    int Lines() const { return lines; }
    int Columns() const { return columns; }

    // The lit segments of a character (bit i for segment i); 0 for none.
    static std::uint16_t CharMask(char C);
    const TSCLLEDOutline& Outline(TSCLLEDLights Light) const { return outlines[Light]; }

    void Assign(TPersistent* Source) override;

private:
    void CreateBmp();
    void Compute_Outlines();
    void Rebuild_And_Change();

    TColor back_color = clBlack;
    TColor inactive_color = 0x00008000;
    TColor active_color = 0x0000FF00;
    BYTE horz_size = 9;
    BYTE thickness = 2;
    BYTE vert_size = 7;
    bool flash = false;
    bool flash_phase = false;
    bool disabled_digits = true;
    int lines = 1;
    int columns = 1;
    std::array<TSCLLEDOutline, 16> outlines{};
    std::unique_ptr<TBitmap> cell_template;
    std::string last_text;
};
