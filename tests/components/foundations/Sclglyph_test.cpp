#include "components/foundations/Sclglyph.h"

#include <initializer_list>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr TColor Clear = clFuchsia; // the glyphs' transparent colour
const TColor Cell_Colors[] = {clRed, clBlue, clGreen, clYellow, clNavy};

// Cells of Size x Size side by side, cell n in Cell_Colors[n] with its
// top-left and bottom-left pixels transparent.
void Make_Glyph(TBitmap& bitmap, int cells, int size = 16)
{
    bitmap.SetSize(cells * size, size);
    TCanvas* canvas = bitmap.Canvas();
    for (int n = 0; n < cells; ++n) {
        canvas->Brush()->SetColor(Cell_Colors[n]);
        canvas->FillRect(RECT{n * size, 0, (n + 1) * size, size});
        canvas->SetPixels(n * size, 0, Clear);
        canvas->SetPixels(n * size, size - 1, Clear);
    }
}

void Load(TSCLGlyph& glyph, int cells, int size = 16)
{
    TBitmap bitmap;
    Make_Glyph(bitmap, cells, size);
    glyph.SetGlyph(&bitmap);
}

// The colour in the middle of the state's image, clNone without an image.
TColor Image_Color(TSCLGlyph& glyph, TSCLButtonState state)
{
    TBitmap image;
    glyph.GetStateBitmap(state, &image);
    return image.Empty() ? clNone : image.Canvas()->Pixels(image.Width() / 2, image.Height() / 2);
}

bool Is_Grey(TColor color)
{
    return (color & 0xFF) == ((color >> 8) & 0xFF) && (color & 0xFF) == ((color >> 16) & 0xFF);
}

TEST(Sclglyph, NumberOfCellsFollowsTheBitmapsShape)
{
    const struct {
        int width;
        int height;
        int num_glyphs;
    } cases[] = {{64, 16, 4}, {80, 16, 5}, {96, 16, 1}, {50, 16, 2}, {16, 16, 1}};
    for (const auto& c : cases) {
        TSCLGlyph glyph;
        glyph.SetNumGlyphs(2);
        TBitmap bitmap;
        bitmap.SetSize(c.width, c.height);
        glyph.SetGlyph(&bitmap);
        EXPECT_EQ(glyph.NumGlyphs(), c.num_glyphs) << c.width << "x" << c.height;
    }
    TSCLGlyph glyph;
    glyph.SetNumGlyphs(0);
    EXPECT_EQ(glyph.NumGlyphs(), 1);
}

TEST(Sclglyph, TransparentPixelsOfTheBitmapBecomeMasked)
{
    TSCLGlyph glyph;
    Load(glyph, 1);
    EXPECT_EQ(glyph.TransparentColor(), Clear);
    const int slot = glyph.GetButtonGlyph(bsUp);
    ASSERT_NE(slot, -1);
    const RECT cell = glyph.GlyphList()->GetImageRect(slot);
    TCanvas* mask = glyph.GlyphList()->GetImageMaskBitmap()->Canvas();
    TCanvas* image = glyph.GlyphList()->GetImageBitmap()->Canvas();
    EXPECT_EQ(mask->Pixels(cell.left, cell.bottom - 1), clWhite);
    EXPECT_EQ(image->Pixels(cell.left, cell.bottom - 1), clBlack);
    EXPECT_EQ(mask->Pixels(cell.left + 1, cell.bottom - 1), clBlack);
    EXPECT_EQ(image->Pixels(cell.left + 1, cell.bottom - 1), clRed);
}

TEST(Sclglyph, StandardStatesUseTheirOwnCellElseTheRestCell)
{
    const struct {
        int cells;
        TSCLButtonState state;
        TColor color;
    } cases[] = {
        {2, bsUp, clRed},          {2, bsDisabledUp, clBlue}, {2, bsDisabledDown, clBlue}, {2, bsDown, clRed},
        {2, bsMouseOver, clRed},   {4, bsMouseOver, clGreen}, {4, bsOptionSet, clYellow},  {4, bsDown, clRed},
        {5, bsDown, clNavy},       {5, bsDisabledDown, clBlue}, {1, bsDropDownOpen, clRed}, {1, bsDragOver, clRed},
    };
    for (const auto& c : cases) {
        TSCLGlyph glyph;
        Load(glyph, c.cells);
        EXPECT_EQ(Image_Color(glyph, c.state), c.color) << c.cells << " cells, state " << c.state;
    }
}

TEST(Sclglyph, OneCellIsEmbossedOnceForBothDisabledStates)
{
    TSCLGlyph glyph;
    Load(glyph, 1);
    const int up = glyph.GetButtonGlyph(bsDisabledUp);
    EXPECT_NE(up, -1);
    EXPECT_EQ(glyph.GetButtonGlyph(bsDisabledDown), up);
    EXPECT_NE(up, glyph.GetButtonGlyph(bsUp));
    EXPECT_NE(Image_Color(glyph, bsDisabledUp), clRed);
    EXPECT_EQ(glyph.GlyphList()->Count(), 2);
}

TEST(Sclglyph, ExplorerGlyphIsGreyAtRestAndColouredOtherwise)
{
    TSCLGlyph glyph;
    glyph.SetStyle(gsExplorer);
    Load(glyph, 1);
    EXPECT_TRUE(Is_Grey(Image_Color(glyph, bsUp)));
    EXPECT_EQ(Image_Color(glyph, bsMouseOver), clRed);
    EXPECT_EQ(Image_Color(glyph, bsDown), clRed);
    EXPECT_EQ(Image_Color(glyph, bsDropDownOpen), clRed);
    EXPECT_EQ(glyph.GetButtonGlyph(bsDragOver), glyph.GetButtonGlyph(bsMouseOver));
}

TEST(Sclglyph, ImagesAreBuiltOnceAndDroppedWhenTheGlyphChanges)
{
    TSCLGlyph glyph;
    int changes = 0;
    glyph.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &glyph);
        ++changes;
    };
    Load(glyph, 2);
    const int slot = glyph.GetButtonGlyph(bsUp);
    TSCLGlyphList* list = glyph.GlyphList();
    EXPECT_EQ(glyph.GetButtonGlyph(bsUp), slot);
    EXPECT_EQ(list->Count(), 1);
    changes = 0;
    glyph.Glyph()->SetSize(48, 16);
    EXPECT_GE(changes, 1);
    EXPECT_EQ(glyph.GlyphList(), nullptr);
    glyph.SetStyle(gsExplorer);
    glyph.GetButtonGlyph(bsUp);
    glyph.SetNumGlyphs(1);
    EXPECT_EQ(glyph.GlyphList(), nullptr);
}

TEST(Sclglyph, EmptyGlyphHasNoImage)
{
    TSCLGlyph glyph;
    for (int state = bsUp; state <= bsDisabledDown; ++state)
        EXPECT_EQ(glyph.GetButtonGlyph(static_cast<TSCLButtonState>(state)), -1);
    TBitmap untouched;
    untouched.SetSize(3, 2);
    glyph.GetStateBitmap(bsUp, &untouched);
    EXPECT_EQ(untouched.Width(), 3);
    EXPECT_EQ(glyph.GlyphList(), nullptr);
}

TEST(Sclglyph, GlyphsOfOneCellSizeShareAListAndTheLastFreesTheCache)
{
    {
        auto first = std::make_unique<TSCLGlyph>();
        TSCLGlyph second;
        TSCLGlyph smaller;
        Load(*first, 1);
        Load(second, 2);
        Load(smaller, 1, 8);
        first->GetButtonGlyph(bsUp);
        second.GetButtonGlyph(bsUp);
        second.GetButtonGlyph(bsDisabledUp);
        smaller.GetButtonGlyph(bsUp);
        EXPECT_EQ(first->GlyphList(), second.GlyphList());
        EXPECT_NE(first->GlyphList(), smaller.GlyphList());
        EXPECT_EQ(second.GlyphList()->Count(), 3);
        first.reset();
        EXPECT_EQ(second.GlyphList()->Count(), 2);
        EXPECT_NE(SCLGlyphCache, nullptr);
    }
    EXPECT_EQ(SCLGlyphCache, nullptr);
}

TEST(Sclglyph, CaptionAloneIsDrawnWithoutAnImage)
{
    TSCLGlyph glyph;
    TBitmap target;
    target.SetSize(20, 20);
    TSCLGlyphTextLayout layout;
    glyph.DrawButtonGlyphAndText(target.Canvas(), "", nullptr, RECT{0, 0, 20, 20}, bsUp, layout,
                                 TSCLDrawTextStyles{dtEnabled}, false, 0);
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clWhite);
}

TEST(Sclglyph, StateImageIsDrawnTransparentlyAtTheLayoutsPlace)
{
    TSCLGlyph glyph;
    Load(glyph, 1, 4);
    TBitmap target;
    target.SetSize(10, 10);
    target.Canvas()->Brush()->SetColor(clSilver);
    target.Canvas()->FillRect(RECT{0, 0, 10, 10});
    TSCLGlyphTextLayout layout;
    glyph.DrawButtonGlyphAndText(target.Canvas(), "", nullptr, RECT{0, 0, 10, 10}, bsUp, layout,
                                 TSCLDrawTextStyles{dtEnabled}, false, 0);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(0, 3), clSilver);
    EXPECT_EQ(target.Canvas()->Pixels(5, 5), clSilver);
}

TEST(Sclglyph, ListGrowsByFourCellsAndReusesFreedSlots)
{
    TSCLGlyphList list(4, 2);
    TBitmap cell;
    cell.SetSize(8, 2); // two cells wide: only the first is taken
    EXPECT_EQ(list.AddMasked(&cell, clNone), 0);
    EXPECT_EQ(list.GetImageBitmap()->Width(), 16);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(list.Add(&cell, nullptr), i);
    EXPECT_EQ(list.GetImageBitmap()->Width(), 32);
    EXPECT_EQ(list.GetImageMaskBitmap()->Width(), 32);
    list.Delete(2);
    list.Delete(2);
    list.Delete(99);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.AllocateIndex(), 2);
    EXPECT_EQ(list.Add(nullptr, nullptr), -1);
}

TEST(Sclglyph, ListRefusesWrongSizesAndOverlongStrips)
{
    EXPECT_THROW(TSCLGlyphList(0, 16), EInvalidGraphicOperation);
    TSCLGlyphList list(4, 2);
    TBitmap wrong;
    wrong.SetSize(6, 2);
    EXPECT_THROW(list.AddMasked(&wrong, clNone), EInvalidGraphicOperation);
    EXPECT_EQ(list.Count(), 0);
    TSCLGlyphList wide(8192, 1);
    for (int i = 0; i < 4; ++i)
        wide.AllocateIndex();
    EXPECT_EQ(wide.GetImageBitmap()->Width(), 32768);
    try {
        wide.AllocateIndex();
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message, "Trop d'images");
    }
}

TEST(Sclglyph, FreedSlotKeepsItsPixelsUntilReusedInPlace)
{
    TSCLGlyphList list(4, 2);
    TBitmap colour;
    colour.SetSize(4, 2);
    for (TColor c : {clRed, clBlue, clGreen}) {
        colour.Canvas()->Brush()->SetColor(c);
        colour.Canvas()->FillRect(RECT{0, 0, 4, 2});
        list.AddMasked(&colour, clNone);
    }
    auto pixel = [&](int slot) {
        const RECT cell = list.GetImageRect(slot);
        return list.GetImageBitmap()->Canvas()->Pixels(cell.left + 1, 0);
    };
    list.Delete(1);
    EXPECT_EQ(pixel(1), clBlue);
    EXPECT_EQ(pixel(2), clGreen);
    colour.Canvas()->Brush()->SetColor(clYellow);
    colour.Canvas()->FillRect(RECT{0, 0, 4, 2});
    TBitmap opaque;
    opaque.SetMonochrome(true);
    opaque.SetSize(4, 2);
    opaque.Canvas()->Brush()->SetColor(clWhite);
    opaque.Canvas()->FillRect(RECT{0, 0, 4, 2});
    EXPECT_EQ(list.Add(&colour, &opaque), 1);
    EXPECT_EQ(pixel(1), clYellow);
    EXPECT_EQ(list.GetImageMaskBitmap()->Canvas()->Pixels(list.GetImageRect(1).left, 0), clWhite);
    EXPECT_EQ(pixel(0), clRed);
    EXPECT_EQ(pixel(2), clGreen);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.TSCLImageListItem::Count(), 3);
    EXPECT_EQ(list.UsedWidth(), 12);
}

TEST(Sclglyph, RefusedImagesTakeNoSlotAndAFullStripStillReusesFreedOnes)
{
    TSCLGlyphList list(4, 2);
    TBitmap wrong;
    wrong.SetSize(4, 3);
    EXPECT_THROW(list.Add(&wrong, nullptr), EInvalidGraphicOperation);
    TBitmap cell;
    cell.SetSize(4, 2);
    EXPECT_EQ(list.Add(&cell, nullptr), 0);
    EXPECT_EQ(list.Count(), 1);

    TSCLGlyphList wide(8192, 1);
    TBitmap big;
    big.SetSize(8192, 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(wide.AddMasked(&big, clNone), i);
    EXPECT_THROW(wide.AddMasked(&big, clNone), EInvalidGraphicOperation);
    EXPECT_EQ(wide.Count(), 4);
    EXPECT_EQ(wide.TSCLImageListItem::Count(), 4);
    EXPECT_EQ(wide.GetImageBitmap()->Width(), 32768);
    EXPECT_EQ(wide.GetImageMaskBitmap()->Width(), 32768);
    wide.Delete(3);
    EXPECT_EQ(wide.AddMasked(&big, clNone), 3);
    EXPECT_EQ(wide.Count(), 4);
}

} // namespace
