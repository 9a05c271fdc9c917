#pragma once
// The caret of the library's editors: its shape (a line, a block, a bar
// under or over the character, or a picture), built on the platform's
// caret and drawn by the owning control itself. It blinks on a timer of
// its own in the application's pool, at its own BlinkRate: no setting of
// the desktop is touched.

#include <cstdint>
#include <memory>

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Controls.h"
#include "platform/classlib/Graphics_Bitmap.h"

enum TSCLCaretStyles { csDefault, csBlock, csUnder, csOver, csBitmap, csUnderBlock };
enum TSCLCaretBitmap { cbBmpSize, cbTile, cbStretch };

class TSCLCaret : public TSCLObject {
public:
    explicit TSCLCaret(TWinControl* AOwner);
    ~TSCLCaret() override;

    // 0 x, 1 y (client coordinates of the owner).
    int GetPos(int Index) const { return Index == 0 ? pos.x : pos.y; }
    void SetPos(int Index, int Value);
    // 0 Width, 1 Height, 2 ImageIndex, 3 ListIndex, 4 line height.
    WORD GetWord(int Index) const;
    void SetWord(int Index, WORD Value);
    WORD Width() const { return width; }
    WORD Height() const { return height; }
    WORD LineHeight() const { return line_height; }
    // Milliseconds a phase of the blink lasts; the pool's 50 ms tick rounds it.
    WORD BlinkRate() const { return blink_rate; }
    void SetBlinkRate(WORD Value);
    TSCLCaretStyles Style() const { return style; }
    void SetStyle(TSCLCaretStyles Value);
    TSCLCaretBitmap CaretBmpMode() const { return bmp_mode; }
    void SetCaretBmpMode(TSCLCaretBitmap Value);
    TBitmap* Bitmap() const { return bitmap.get(); }
    void SetBitmap(TBitmap* Value);
    TSCLCustomImageList* ImageList() const { return image_list; }
    void SetImageList(TSCLCustomImageList* Value);

    bool Shown() const { return shown; }
    bool Created() const { return created; }
    // The caret is drawn now: shown and in the lit phase of its blink.
    bool Lit() const { return shown && lit; }
    // The pool timer of the blink; 0 while the caret is not shown.
    WORD BlinkTimer() const { return blink_timer; }
    // The owner's rectangle the caret covers.
    RECT CaretRect() const;

    // Shows the caret in the owner's window (not while designing), built
    // once, blinking at BlinkRate.
    void Enable();
    // Hides it and stops the blink.
    void Disable();
    void BuildCaret();
    // Hidden, and the platform's caret released when the owner holds it.
    void DestroyCaret();
    // Copies BlinkRate, Width, Height and Style of another caret.
    void Assign(TPersistent* Source) override;
    // The list item (ListIndex, ImageIndex) becomes Bitmap.
    void GetIMLChange(TObject* Sender);
    // Draws the caret onto the owner's canvas while it is lit.
    void Paint(TCanvas* Canvas);

private:
    POINT Top_Left() const;
    void Start_Blink();
    void Stop_Blink();
    void Blink(TObject* Sender);
    void Invalidate_Caret();
    void Build_Picture();

    TWinControl* owner;
    POINT pos{0, 0};
    WORD width = 2;
    WORD height = 10;
    WORD line_height = 10;
    WORD image_index = 0;
    WORD list_index = 0;
    WORD blink_rate;
    TSCLCaretStyles style = csDefault;
    TSCLCaretBitmap bmp_mode = cbBmpSize;
    std::unique_ptr<TBitmap> bitmap;
    std::unique_ptr<TBitmap> caret_bitmap;
    TSCLCustomImageList* image_list = nullptr;
    WORD blink_timer = 0;
    bool shown = false;
    bool created = false;
    bool lit = true;
};
