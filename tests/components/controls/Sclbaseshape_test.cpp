// The shape control: the colour-keyed fill (a fill pixel of the control's
// Color shows what lies under it), the outline kept across moves and
// caption changes, fast-mode backgrounds, and the shape saved as a bitmap.

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Back_Test_Support.h"
#include "Strip_Test_Support.h"
#include "components/controls/SCLShapeControl.h"

using namespace back_test;

namespace {

// A 40 x 20 rectangle shape at (10, 10) of a white form, without shadow.
struct Shape_On_Form {
    Test_Form form;
    TSCLShapeControl* shape = new TSCLShapeControl(&form);

    Shape_On_Form()
    {
        shape->SetBounds(10, 10, 40, 20);
        shape->SetColor(clRed);
        shape->Shadow()->SetStyle(hssNone);
        shape->SetParent(&form);
        form.Show();
    }
};

// Left half clRed, right half clBlue.
std::unique_ptr<TBitmap> Half_Red_Bitmap()
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(40, 20);
    bitmap->Canvas()->Brush()->SetColor(clRed);
    bitmap->Canvas()->FillRect(RECT{0, 0, 20, 20});
    bitmap->Canvas()->Brush()->SetColor(clBlue);
    bitmap->Canvas()->FillRect(RECT{20, 0, 40, 20});
    return bitmap;
}

int Outline_Changes(TSCLShapeControl* shape, int& counter)
{
    shape->Outline()->OnChange = [&counter](TObject*) { ++counter; };
    return counter;
}

} // namespace

TEST(ShapeControl, AFillPixelOfTheControlsColourShowsTheParentThrough)
{
    Shape_On_Form fixture;
    fixture.shape->SetMode(scmShapeFill);
    fixture.shape->ShapeFill()->SetBitmap(Half_Red_Bitmap().get());
    fixture.shape->ShapeFill()->SetFillStyle(sfBitmap);
    const QImage image = Shown(&fixture.form);

    EXPECT_EQ(image.pixel(20, 20), Rgb_Of(clWhite)) << "red fill is the key colour: a hole";
    EXPECT_EQ(image.pixel(40, 20), Rgb_Of(clBlue));
    EXPECT_EQ(image.pixel(10, 10), Rgb_Of(clBlack)) << "the outline pen";
    EXPECT_EQ(image.pixel(9, 9), Rgb_Of(clWhite));

    fixture.shape->SetColor(clBlue);
    const QImage recoloured = Shown(&fixture.form);
    EXPECT_EQ(recoloured.pixel(20, 20), Rgb_Of(clRed)) << "the key follows the colour";
    EXPECT_EQ(recoloured.pixel(40, 20), Rgb_Of(clWhite));
}

TEST(ShapeControl, AGradientFillIsPreparedOnceAndDrawnInsideTheOutline)
{
    Shape_On_Form fixture;
    fixture.shape->SetMode(scmShapeFill);
    fixture.shape->ShapeFill()->Gradient()->SetColor(clLime);
    fixture.shape->ShapeFill()->Gradient()->SetEndColor(clBlue);
    fixture.shape->ShapeFill()->Gradient()->SetStyle(gstVertical);
    fixture.shape->ShapeFill()->SetFillStyle(sfGradient);
    const QImage image = Shown(&fixture.form);

    const QRgb top = image.pixel(30, 12);
    const QRgb bottom = image.pixel(30, 27);
    EXPECT_GT(qGreen(top), qBlue(top)) << "vertical: the start colour at the top";
    EXPECT_GT(qBlue(bottom), qGreen(bottom));
    EXPECT_EQ(qRed(top), 0);
    EXPECT_EQ(image.pixel(30, 10), Rgb_Of(clBlack)) << "the outline over the gradient";
    ASSERT_NE(fixture.shape->OffscreenBitmap(), nullptr);
    EXPECT_EQ(fixture.shape->OffscreenBitmap()->Width(), 40);

    fixture.shape->SetMode(scmShapeFast);
    EXPECT_EQ(fixture.shape->OffscreenBitmap(), nullptr) << "the fill picture lives only in the fill modes";
}

TEST(ShapeControl, FastModeFillsItsRectangleOnlyWhenOpaque)
{
    struct Case {
        bool transparent;
        TColor corner;
    };
    for (const Case c : {Case{true, clWhite}, Case{false, clRed}}) {
        Shape_On_Form fixture;
        fixture.shape->SetShape(stEllipse);
        fixture.shape->Brush()->SetColor(clLime);
        fixture.shape->SetTransparent(c.transparent);
        const QImage image = Shown(&fixture.form);
        EXPECT_EQ(image.pixel(11, 11), Rgb_Of(c.corner)) << c.transparent;
        EXPECT_EQ(image.pixel(30, 20), Rgb_Of(clLime)) << c.transparent;
    }
}

TEST(ShapeControl, TheOutlineIsRecomputedForShapeAndSizeButNotForCaptionOrMove)
{
    Shape_On_Form fixture;
    TSCLShapeControl* shape = fixture.shape;
    Shown(&fixture.form);
    int changes = 0;
    Outline_Changes(shape, changes);

    shape->Caption()->SetCaption("PC");
    Shown(&fixture.form);
    EXPECT_EQ(changes, 0) << "a caption change only repaints";
    shape->SetBounds(20, 20, 40, 20);
    Shown(&fixture.form);
    EXPECT_EQ(changes, 0) << "a move keeps the outline";
    shape->SetBounds(20, 20, 60, 30);
    EXPECT_EQ(changes, 0) << "a resize waits for the next paint";
    Shown(&fixture.form);
    EXPECT_GT(changes, 0);
    EXPECT_EQ(shape->Outline()->GetPoint(1).x, 60) << "the rectangle's far corner";

    changes = 0;
    shape->SetShape(stOctagon);
    EXPECT_GT(changes, 0);
}

TEST(ShapeControl, SaveToFileWritesTheShapeAsABitmap)
{
    Shape_On_Form fixture;
    fixture.shape->SetTransparent(false);
    fixture.shape->Brush()->SetColor(clLime);
    QTemporaryDir folder;
    const std::string path = folder.filePath("shape.bmp").toStdString();
    fixture.shape->SaveToFile(path);

    TBitmap saved;
    saved.LoadFromFile(path);
    EXPECT_EQ(saved.Width(), 40);
    EXPECT_EQ(saved.Height(), 20);
    EXPECT_EQ(ColorToRGB(saved.Canvas()->Pixels(20, 10)), ColorToRGB(clLime));
    EXPECT_EQ(ColorToRGB(saved.Canvas()->Pixels(0, 0)), ColorToRGB(clBlack));

    fixture.shape->Brush()->SetColor(clBlue);
    EXPECT_THROW(fixture.shape->SaveToFile(folder.filePath("missing/shape.bmp").toStdString()), EFCreateError);
    const std::string unwritable = folder.filePath("shape.bmp/inside.bmp").toStdString();
    EXPECT_THROW(fixture.shape->SaveToFile(unwritable), EFCreateError);
    TBitmap again;
    again.LoadFromFile(path);
    EXPECT_EQ(ColorToRGB(again.Canvas()->Pixels(20, 10)), ColorToRGB(clLime)) << "the saved file is untouched";
}

TEST(ShapeControl, TeethModesSerrateTheOutlineAndShapeModesDropTheTeethAgain)
{
    Shape_On_Form fixture;
    TSCLShapeControl* shape = fixture.shape;
    const int plain = shape->Outline()->Count();
    shape->Teeth()->SetCount(4);
    shape->SetMode(scmTeethFast);
    EXPECT_GT(shape->Outline()->Count(), plain);
    shape->SetMode(scmShapeFast);
    EXPECT_EQ(shape->Outline()->Count(), plain);
    EXPECT_EQ(shape->Outline()->GetPoint(1).x, 40);
}

TEST(ShapeControl, AListImageBecomesTheFillsListBitmap)
{
    Shape_On_Form fixture;
    auto strip = strip_test::Strip_List(3);
    fixture.shape->SetImageList(strip.get());
    fixture.shape->SetIndexedImageIndex(2);
    TBitmap* picture = fixture.shape->ShapeFill()->ListBitmap();
    ASSERT_EQ(picture->Width(), strip_test::Side);
    EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(3, 3)), ColorToRGB(clBlue));

    fixture.shape->SetIndexedImageIndex(7);
    EXPECT_TRUE(fixture.shape->ShapeFill()->ListBitmap()->Empty()) << "no such image: the list bitmap is cleared";
    fixture.shape->SetImageList(nullptr);
}
