#include "components/controls/SCLBack.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// The form's erase message, through the hooked window procedure.
bool Erased_By_Component(TCustomForm& form, TBitmap& target)
{
    return SendMessageA(form.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0) != 0;
}

struct Fill_Form {
    Test_Form form;
    TSCLBack* back = new TSCLBack(&form);
    TBitmap target;

    Fill_Form()
    {
        form.Show();
        back->Loaded();
        target.SetSize(240, 180);
        target.Canvas()->Brush()->SetColor(clBlack);
        target.Canvas()->FillRect(RECT{0, 0, 240, 180});
    }
};

} // namespace

TEST(FormFill, PaintModeNoneLeavesTheFormsOwnErasing)
{
    Fill_Form fill;
    fill.back->SetPaintMode(pcNone);
    EXPECT_FALSE(fill.back->PaintClientArea(fill.target.Canvas()->Handle()));
}

TEST(FormFill, OwnerDrawWithoutHandlerPaintsNothingAndWithOneFillsFirst)
{
    Fill_Form fill;
    fill.back->SetPaintMode(pcOwnerDraw);
    EXPECT_FALSE(fill.back->PaintClientArea(fill.target.Canvas()->Handle()));
    RECT painted{};
    fill.back->OnPaint = [&](TObject* Sender, TCanvas* Canvas, const RECT& Rect) {
        EXPECT_EQ(Sender, fill.back);
        painted = Rect;
        Canvas->Brush()->SetColor(clRed);
        Canvas->FillRect(RECT{0, 0, 10, 10});
    };
    EXPECT_TRUE(Erased_By_Component(fill.form, fill.target));
    EXPECT_TRUE(painted == (RECT{0, 0, 240, 180}));
    EXPECT_EQ(fill.target.Canvas()->Pixels(5, 5), clRed);
    EXPECT_EQ(fill.target.Canvas()->Pixels(50, 50), clWhite) << "DefaultFill: the form's colour first";
}

TEST(FormFill, ADisabledComponentPassesEveryMessageOn)
{
    Fill_Form fill;
    fill.back->SetPaintMode(pcOwnerDraw);
    int painted = 0;
    fill.back->OnPaint = [&](TObject*, TCanvas*, const RECT&) { ++painted; };
    fill.back->SetEnabled(false);
    Erased_By_Component(fill.form, fill.target);
    EXPECT_EQ(painted, 0);
}

TEST(FormFill, TheBackTilesItsListItemOrFallsBackToTheOwnerDrawing)
{
    Fill_Form fill;
    auto* list = new TSCLBitmapList(&fill.form);
    list->Add();
    list->Items(0)->SetBitmap(Pattern_Bitmap(20, 20).get());
    fill.back->SetImageList(list);
    EXPECT_TRUE(Erased_By_Component(fill.form, fill.target));
    EXPECT_EQ(fill.target.Canvas()->Pixels(25, 3), Pattern_Color(5, 3));
    EXPECT_EQ(Shown(&fill.form).pixel(45, 47), Rgb_Of(Pattern_Color(5, 7))) << "the form shows it";

    fill.back->SetListIndex(2); // no such item
    int painted = 0;
    fill.back->OnPaint = [&](TObject*, TCanvas*, const RECT&) { ++painted; };
    EXPECT_FALSE(fill.back->PaintClientArea(fill.target.Canvas()->Handle())) << "pcControl is no owner drawing";
    fill.back->SetPaintMode(pcOwnerDraw);
    EXPECT_TRUE(fill.back->PaintClientArea(fill.target.Canvas()->Handle()));
    EXPECT_EQ(painted, 1);
}
