// The camera pages as drawn, offscreen, with the program's artwork: what one
// control paints never lands on another's pixels. Each check draws the page
// with a control hidden and shown and compares the two pictures.

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/foundations/Sclcont.h"
#include "platform/classlib/Forms.h"
#include "platform/winapi/Window.h"
#include "shell/host/Main_container.h"
#include "tests/screens/Hd_Page_Test_Support.h"
#include "tests/screens/Sd_Page_Test_Support.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class Artwork : public ::testing::Test {
protected:
    Artwork() { Load_Main_Container(container); }
    ~Artwork() override
    {
        SCLContainer->BitmapList()->Clear();
        SCLContainer->ImageList()->Clear();
    }

    // The page as shown, in its client coordinates.
    static QImage Shown(TForm& page)
    {
        page.Show();
        for (int i = 0; i < 3; ++i) {
            Application->ProcessMessages();
        }
        return Window_Widget(page.Handle())->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static QRect Place(TForm& page, TControl* control)
    {
        const POINT page_origin = page.ClientOrigin();
        const POINT origin = control->Parent()->ClientOrigin();
        return QRect(origin.x - page_origin.x + control->Left(), origin.y - page_origin.y + control->Top(),
                     control->Width(), control->Height());
    }
    // The page drawn with `control` hidden, then shown.
    static std::pair<QImage, QImage> Without_And_With(TForm& page, TControl* control)
    {
        control->SetVisible(false);
        const QImage without = Shown(page);
        control->SetVisible(true);
        return {without, Shown(page)};
    }
    // The columns of `area` where the control's pixels differ from what is
    // under it: [first, last], or (-1, -1) when it paints nothing there.
    static std::pair<int, int> Painted_Columns(TForm& page, TControl* control, const QRect& area)
    {
        const auto [without, with] = Without_And_With(page, control);
        int first = -1;
        int last = -1;
        for (int x = area.left(); x <= area.right(); ++x) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                if (without.pixel(x, y) != with.pixel(x, y)) {
                    first = first < 0 ? x : first;
                    last = x;
                    break;
                }
            }
        }
        return {first, last};
    }

    // A title button's face is a rounded rectangle: its four corner pixels
    // keep what lies under the button or show the button's own colour,
    // never its gradient.
    static void Expect_Corners_Untouched(TForm& page, TSCLShapeButton* title)
    {
        const QRect place = Place(page, title);
        const auto [without, with] = Without_And_With(page, title);
        const COLORREF own = ColorToRGB(title->Color());
        const QRgb own_pixel = qRgb(GetRValue(own), GetGValue(own), GetBValue(own));
        for (const QPoint corner : {place.topLeft(), place.topRight(), place.bottomLeft(), place.bottomRight()}) {
            EXPECT_TRUE(with.pixel(corner) == without.pixel(corner) || with.pixel(corner) == own_pixel)
                << title->Caption() << " paints its gradient at its corner " << corner.x() << "," << corner.y();
        }
        EXPECT_NE(with.pixel(place.center()), without.pixel(place.center())) << title->Caption();
    }

    TSCLContainerCtrl container {nullptr};
};

// ---- SD: the selected tuner's mark beside the "Tuners" caption -----------------

TEST_F(Artwork, TheSelectedTunersMarkLeavesTheTunersCaptionWhole)
{
    sd_page_test::Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    TForm_Main_SD& f = *page.form;
    for (TForm_Main_SD::Amu_Block* block : {&f.AMU1, &f.AMU2}) {
        const QRect mark = Place(f, block->Ant1);
        const QRect number = Place(f, block->LabelAntenna1);
        const QRect group = Place(f, block->GroupTuners);
        const QRect caption_band(group.left(), group.top(), mark.right() - group.left() + 1, 12);
        const auto [without, with] = Without_And_With(f, block->Ant1);
        int caption_ink = 0;
        for (int y = caption_band.top(); y <= caption_band.bottom(); ++y) {
            for (int x = caption_band.left(); x <= caption_band.right(); ++x) {
                if (without.pixel(x, y) != 0xFF000000u || number.contains(x, y)) {
                    continue;
                }
                ++caption_ink;
                EXPECT_EQ(with.pixel(x, y), 0xFF000000u) << "caption pixel " << x << "," << y << " covered";
            }
        }
        EXPECT_GT(caption_ink, 20) << "the caption is drawn";
    }
}

// ---- HD: the AU / VB / PM labels beside their lamps ----------------------------

TEST_F(Artwork, EachTunerFlagLabelStandsClearOfItsLamp)
{
    hd_page_test::Hd_Page page;
    page.Refresh([](St_System&) {}, true);
    TForm_Main_HD& f = *page.form;
    for (TForm_Main_HD::Amu_Block* block : {&f.AMU1, &f.AMU2}) {
        const std::pair<TSCLLImage*, TSCLSimpleLabel*> pairs[] = {
            {block->ImageAllUnlockedTuner, block->LabelAllUnlockedTuner},
            {block->ImageErrorRsFlag, block->LabelErrorRsFlag},
            {block->ImageProfileMismatch, block->LabelProfileMismatch},
        };
        for (const auto& [lamp, label] : pairs) {
            const QRect row = Place(f, label) | Place(f, lamp);
            const auto lamp_columns = Painted_Columns(f, lamp, row);
            const auto label_columns = Painted_Columns(f, label, row);
            ASSERT_GE(lamp_columns.second, 0) << label->Caption();
            ASSERT_GE(label_columns.first, 0) << label->Caption();
            EXPECT_GE(label_columns.first - lamp_columns.second - 1, 3) << label->Caption() << " touches its lamp";
            EXPECT_LE(label_columns.second, Place(f, block->GroupTuners).right() - 2)
                << label->Caption() << " inside the frame";
        }
    }
}

// ---- Title buttons: the gradient inside the rounded outline --------------------

TEST_F(Artwork, HdTitleGradientsStayInsideTheirRoundedOutline)
{
    hd_page_test::Hd_Page page;
    page.Refresh([](St_System&) {}, true);
    TForm_Main_HD& f = *page.form;
    for (TSCLShapeButton* title : {f.ShapeButtonPCTitle, f.ShapeButtonWCUTitle, f.ShapeButtonAMU1Title,
                                   f.ShapeButtonAMU2Title, f.ShapeButtonDE1Title, f.ShapeButtonDE2Title,
                                   f.ShapeButtonWCATitle}) {
        Expect_Corners_Untouched(f, title);
    }
}

TEST_F(Artwork, SdTitleGradientsStayInsideTheirRoundedOutline)
{
    sd_page_test::Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    TForm_Main_SD& f = *page.form;
    for (TSCLShapeButton* title : {f.ShapeButtonPCTitle, f.ShapeButtonWCUTitle, f.ShapeButtonAMU1Title,
                                   f.ShapeButtonAMU2Title, f.ShapeButtonDE1Title, f.ShapeButtonDE2Title}) {
        Expect_Corners_Untouched(f, title);
    }
}

} // namespace
