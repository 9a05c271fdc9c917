#pragma once
// Button glyphs: one bitmap holding up to five equal cells side by side, the
// n-th the image of the button state of ordinal n. The image of each state
// is made on first use (states without a cell of their own are derived
// from cell 0: unchanged, greyed or embossed as disabled) and kept in a
// glyph list shared by every glyph of the same cell size, through the
// process-wide SCLGlyphCache, so repainting a button never rebuilds it.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "components/foundations/Scl3dcaption.h"
#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/winapi/WinTypes.h"

enum TSCLGlyphStyle { gsStandard, gsExplorer };

// The number of cells of a glyph bitmap.
using TSCLNumGlyphs = BYTE;

// An image strip of fixed cell size, always masked, whose slots are handed
// out and taken back: Add, AddMasked and Delete reuse and free slots in
// place and never shift the other images, unlike the strip's own versions,
// which they hide. A freed slot's pixels stay until the slot is used again.
class TSCLGlyphList : public TSCLImageListItem {
public:
    // Raises EInvalidGraphicOperation "Taille d'image incorrecte" for a
    // size below 1.
    TSCLGlyphList(int AWidth, int AHeight);

    // Occupied slots (the strip's own count, TSCLImageListItem::Count, also
    // holds the free ones).
    int Count() const { return count; }

    // The first free slot, else a new one at the strip's end. Raises
    // EInvalidGraphicOperation "Trop d'images" past 32768 pixels, the list
    // unchanged.
    int AllocateIndex();
    // A slot for Image with its mask (none: opaque). Images must be Height
    // high and a whole number of cells wide (only the first cell is taken),
    // else "Taille d'image incorrecte" and no slot is taken; a null Image
    // gives -1.
    int Add(TBitmap* Image, TBitmap* Mask);
    // A slot for Image, its MaskColor pixels transparent.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    // Hands an occupied slot back; other indexes are ignored.
    void Delete(int Index);

private:
    // Fills a newly allocated slot; a refused image hands the slot back.
    template <typename Fill> int Fill_Slot(Fill fill);

    int count = 0;
    std::vector<bool> used;
};

// The glyph lists, one per cell size.
class TSCLGlyphCache : public TObject {
public:
    // The list of that cell size, made on first demand.
    TSCLGlyphList* GetList(int AWidth, int AHeight);
    // Frees List once it holds no image; a list in use stays.
    void FreeList(TSCLGlyphList* List);
    bool Empty() const { return lists.empty(); }

private:
    std::vector<std::unique_ptr<TSCLGlyphList>> lists;
};

// Made by the first glyph, freed by the last one that finds it empty.
extern TSCLGlyphCache* SCLGlyphCache;

class TSCLGlyph : public TObject {
public:
    TSCLGlyph();
    ~TSCLGlyph() override;

    TBitmap* Glyph() { return glyph_bitmap.get(); }
    // Takes a copy of Value; its width in whole cells of its height sets
    // NumGlyphs (up to 5 cells; more give 1, a width that is no multiple
    // keeps NumGlyphs).
    void SetGlyph(TBitmap* Value);
    TSCLNumGlyphs NumGlyphs() const { return num_glyphs; }
    // 0 is ignored.
    void SetNumGlyphs(TSCLNumGlyphs Value);
    // gsExplorer: grey at rest, coloured in the other states.
    TSCLGlyphStyle Style() const { return style; }
    void SetStyle(TSCLGlyphStyle Value);
    // The glyph bitmap's transparent colour, the mask colour of every image.
    TColor TransparentColor() const { return transparent_color; }

    // Releases the built images (they are made again when next asked).
    void Init();
    // The glyph bitmap's change notification.
    void GetGlyphChange(TObject* Sender);

    // The state's slot in GlyphList(), built if need be; -1 without an image.
    int GetButtonGlyph(TSCLButtonState State);
    // Bitmap becomes the state's image; untouched without one.
    void GetStateBitmap(TSCLButtonState State, TBitmap* Bitmap);
    // The state's image beside Caption in Rect (the caption alone without
    // an image).
    void DrawButtonGlyphAndText(TCanvas* Canvas, const std::string& Caption, TSCL3DCaption* Font3D, const RECT& Rect,
                                TSCLButtonState State, const TSCLGlyphTextLayout& Layout,
                                TSCLDrawTextStyles Flags, bool MultiLine, int TextFlags);

    // The shared list the images are in; null until one is built.
    TSCLGlyphList* GlyphList() const { return glyph_list; }

    // Called after the glyph bitmap changed.
    TNotifyEvent OnChange;

private:
    TSCLButtonState Image_State(TSCLButtonState State) const;
    int Build_Image(TSCLButtonState State, int W, int H);

    std::unique_ptr<TBitmap> glyph_bitmap;
    std::array<int, 8> indexes;
    TSCLGlyphList* glyph_list = nullptr;
    TSCLNumGlyphs num_glyphs = 1;
    TSCLGlyphStyle style = gsStandard;
    TColor transparent_color = clNone;
};
