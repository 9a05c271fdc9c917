#pragma once
// The progress bar and level meter: a solid bar, a row of segments in one
// colour, a row of segments each coloured by the owner (OnGetColor), or the
// owner's own painting (OnPaint), over the base meter's value model.
//
// A segmented bar redraws whenever its number of lit segments changes; a
// bar too small for any segment is one block as long as the value, and
// nothing at 0 %.

#include <functional>

#include "components/controls/Sclbasemeter.h"
#include "components/controls/Sclsmallbar.h"

enum TSCLProgressStyle { pgBar, pgSmallBar, pgSmallBarColor, pgOwnerDraw };
template <>
struct TSCLEnumInfo<TSCLProgressStyle> {
    static constexpr const char* TypeName = "TSCLProgressStyle";
    static constexpr std::array<const char*, 4> Names{"pgBar", "pgSmallBar", "pgSmallBarColor", "pgOwnerDraw"};
};

using TSCLProgressPaintEvent =
    std::function<void(TObject* Sender, TCanvas* aCanvas, const RECT& dest, const RECT& notDest, const RECT& aRect)>;
using TSCLProgressColorEvent = std::function<void(TObject* Sender, BYTE nr, TColor& aColor)>;

class TSCLCustomProgress : public TSCLBaseMeter {
public:
    explicit TSCLCustomProgress(TComponent* AOwner);
    ~TSCLCustomProgress() override;

    TColor BarColor() const { return bar_color; }
    // Stored in every style; only a solid bar repaints for it.
    void SetBarColor(TColor Value);
    TSCLBorderStyle Bar3D() const { return bar_3d; }
    void SetBar3D(TSCLBorderStyle Value);
    TSCLSmallBar* SmallBar() const { return small_bar.get(); }
    void SetSmBarOptions(TSCLSmallBar* Value) { small_bar->Assign(Value); }
    TSCLProgressStyle Style() const { return style; }
    void SetStyle(TSCLProgressStyle Value);

    TSCLProgressPaintEvent OnPaint;
    TSCLProgressColorEvent OnGetColor;

    // Segments lit for the percentage Value: Value % of BarCount, rounded
    // to nearest with halves to even.
    int LitSegments(int Value) const;

    void GetChange(TObject* Sender) override;
    // Segmented styles with SmallBar.AutoSize: the length along the bar
    // becomes a whole number of segments; true when the size changed.
    bool CorrectBounds() override;
    void DrawBar(TCanvas* Canvas, const RECT& Filled, const RECT& Rest, const RECT& All) override;

protected:
    bool BarChanged(int Value, int LastDrawn) override;

private:
    bool Segmented() const { return style == pgSmallBar || style == pgSmallBarColor; }
    void Update_Delta();
    void Draw_Segments(TCanvas* Canvas, const RECT& Filled, const RECT& Rest, const RECT& All);
    RECT Segment_Rect(int Index, int Extent, const RECT& All) const;

    TColor bar_color = 0x00800000;
    TSCLBorderStyle bar_3d = lsNone;
    std::unique_ptr<TSCLSmallBar> small_bar;
    TSCLProgressStyle style = pgSmallBar;
    bool correcting = false;
};
