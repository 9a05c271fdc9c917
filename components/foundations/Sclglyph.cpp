#include "components/foundations/Sclglyph.h"

#include <algorithm>

namespace {

RECT Cell_Rect(int Cell, int W, int H)
{
    return RECT{Cell * W, 0, (Cell + 1) * W, H};
}

bool Disabled(TSCLButtonState State)
{
    return State == bsDisabledUp || State == bsDisabledDown;
}

} // namespace

TSCLGlyphCache* SCLGlyphCache = nullptr;

// ---- TSCLGlyphList ---------------------------------------------------------------

TSCLGlyphList::TSCLGlyphList(int AWidth, int AHeight) : TSCLImageListItem(AWidth, AHeight)
{
    SetMaskedState(true);
}

int TSCLGlyphList::AllocateIndex()
{
    const auto free_slot = std::find(used.begin(), used.end(), false);
    const auto slot = static_cast<int>(free_slot - used.begin());
    if (free_slot == used.end()) {
        PrepareSpace();
        used.resize(static_cast<std::size_t>(slot) + 1);
    }
    used[static_cast<std::size_t>(slot)] = true;
    return slot;
}

template <typename Fill> int TSCLGlyphList::Fill_Slot(Fill fill)
{
    const int slot = AllocateIndex();
    try {
        fill(slot);
    } catch (...) {
        used[static_cast<std::size_t>(slot)] = false;
        throw;
    }
    ++count;
    return slot;
}

int TSCLGlyphList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image)
        return -1;
    return Fill_Slot([&](int slot) { Replace(slot, Image, Mask); });
}

int TSCLGlyphList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (!Image)
        return -1;
    return Fill_Slot([&](int slot) { ReplaceMasked(slot, Image, MaskColor); });
}

void TSCLGlyphList::Delete(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(used.size()) || !used[static_cast<std::size_t>(Index)])
        return;
    used[static_cast<std::size_t>(Index)] = false;
    --count;
}

// ---- TSCLGlyphCache --------------------------------------------------------------

TSCLGlyphList* TSCLGlyphCache::GetList(int AWidth, int AHeight)
{
    for (const auto& list : lists)
        if (list->Width() == AWidth && list->Height() == AHeight)
            return list.get();
    lists.push_back(std::make_unique<TSCLGlyphList>(AWidth, AHeight));
    return lists.back().get();
}

void TSCLGlyphCache::FreeList(TSCLGlyphList* List)
{
    if (!List || List->Count() != 0)
        return;
    std::erase_if(lists, [List](const auto& list) { return list.get() == List; });
}

// ---- TSCLGlyph -------------------------------------------------------------------

TSCLGlyph::TSCLGlyph() : glyph_bitmap(std::make_unique<TBitmap>())
{
    glyph_bitmap->OnChange = [this](TObject* Sender) { GetGlyphChange(Sender); };
    indexes.fill(-1);
    if (!SCLGlyphCache)
        SCLGlyphCache = new TSCLGlyphCache;
}

TSCLGlyph::~TSCLGlyph()
{
    glyph_bitmap->OnChange = nullptr;
    glyph_bitmap.reset();
    Init();
    if (SCLGlyphCache && SCLGlyphCache->Empty()) {
        delete SCLGlyphCache;
        SCLGlyphCache = nullptr;
    }
}

void TSCLGlyph::SetGlyph(TBitmap* Value)
{
    Init();
    glyph_bitmap->Assign(Value);
    if (!Value || Value->Height() < 1)
        return;
    transparent_color = Value->TransparentColor();
    if (Value->Width() % Value->Height() != 0)
        return;
    const int cells = Value->Width() / Value->Height();
    SetNumGlyphs(static_cast<TSCLNumGlyphs>(cells <= 5 ? cells : 1));
}

void TSCLGlyph::SetNumGlyphs(TSCLNumGlyphs Value)
{
    if (Value == num_glyphs || Value == 0)
        return;
    Init();
    num_glyphs = Value;
}

void TSCLGlyph::SetStyle(TSCLGlyphStyle Value)
{
    if (Value == style)
        return;
    Init();
    style = Value;
}

void TSCLGlyph::Init()
{
    for (int& index : indexes) {
        if (index != -1)
            glyph_list->Delete(index);
        index = -1;
    }
    if (SCLGlyphCache)
        SCLGlyphCache->FreeList(glyph_list);
    glyph_list = nullptr;
}

void TSCLGlyph::GetGlyphChange(TObject* Sender)
{
    if (Sender != glyph_bitmap.get())
        return;
    transparent_color = glyph_bitmap->TransparentColor();
    Init();
    if (OnChange)
        OnChange(this);
}

// The state whose image stands for State: the disabled states share one;
// a state beyond the cells falls back to the rest image (standard) or to
// the hover or pressed image (explorer).
TSCLButtonState TSCLGlyph::Image_State(TSCLButtonState State) const
{
    if (Disabled(State))
        return bsDisabledUp;
    if (State < num_glyphs)
        return State;
    if (style == gsStandard)
        return bsUp;
    return State == bsDropDownOpen ? bsDown : bsMouseOver;
}

int TSCLGlyph::GetButtonGlyph(TSCLButtonState State)
{
    const TSCLButtonState state = Image_State(State);
    int& index = indexes[static_cast<std::size_t>(state)];
    if (index != -1 || glyph_bitmap->Empty())
        return index;
    const int w = glyph_bitmap->Width() / num_glyphs;
    const int h = glyph_bitmap->Height();
    if (w < 1)
        return -1;
    if (!glyph_list) {
        if (!SCLGlyphCache)
            SCLGlyphCache = new TSCLGlyphCache;
        glyph_list = SCLGlyphCache->GetList(w, h);
    }
    index = Build_Image(state, w, h);
    return index;
}

// The image of a mapped state put into the glyph list: its own cell, or one
// derived from cell 0; -1 for a state that has neither.
int TSCLGlyph::Build_Image(TSCLButtonState State, int W, int H)
{
    const bool own_cell = State < num_glyphs && !(State == bsUp && style == gsExplorer);
    TBitmap cell;
    cell.SetSize(W, H);
    cell.Canvas()->CopyRect(Cell_Rect(0, W, H), glyph_bitmap->Canvas(), Cell_Rect(own_cell ? State : 0, W, H));
    if (own_cell)
        return glyph_list->AddMasked(&cell, transparent_color);
    switch (State) {
    case bsUp: {
        TBitmap grey;
        SCLBmpCreateGrayscale(&grey, &cell);
        return glyph_list->AddMasked(&grey, transparent_color);
    }
    case bsMouseOver:
    case bsOptionSet:
    case bsDown:
        return glyph_list->AddMasked(&cell, transparent_color);
    case bsDisabledUp: {
        TBitmap disabled;
        disabled.SetSize(W, H);
        SCLBmpDrawDisabledState(&disabled, &cell, 0, 0);
        return glyph_list->AddMasked(&disabled, transparent_color);
    }
    default:
        return -1;
    }
}

void TSCLGlyph::GetStateBitmap(TSCLButtonState State, TBitmap* Bitmap)
{
    const int slot = GetButtonGlyph(State);
    if (slot != -1)
        glyph_list->GetBitmap(slot, Bitmap);
}

void TSCLGlyph::DrawButtonGlyphAndText(TCanvas* Canvas, const std::string& Caption, TSCL3DCaption* Font3D,
                                       const RECT& Rect, TSCLButtonState State,
                                       const TSCLGlyphTextLayout& Layout, TSCLDrawTextStyles Flags,
                                       bool MultiLine, int TextFlags)
{
    const int slot = GetButtonGlyph(State);
    RECT glyph_rect{};
    TCanvas* image_canvas = nullptr;
    TCanvas* mask_canvas = nullptr;
    if (slot != -1) {
        glyph_rect = glyph_list->GetImageRect(slot);
        image_canvas = glyph_list->GetImageBitmap()->Canvas();
        mask_canvas = glyph_list->GetImageMaskBitmap()->Canvas();
    }
    SCLDrawTextAndGlyphExt(Canvas, Caption, Font3D, Rect, image_canvas, glyph_rect, mask_canvas, transparent_color,
                           Layout, MultiLine, true, true, Flags, TextFlags);
}
