// The HD page's recording lamp drawn from the program's own artwork: lit, a
// red lamp; dark, a dark red one; never a check mark.

#include "components/controls/SCLLImage.h"
#include "components/foundations/Sclcont.h"
#include "platform/classlib/Forms.h"
#include "platform/winapi/Window.h"
#include "shell/host/Main_container.h"
#include "tests/screens/Hd_Page_Test_Support.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using hd_page_test::Hd_Page;

class Recording_Lamp : public ::testing::Test {
protected:
    Recording_Lamp() { Load_Main_Container(container); }
    ~Recording_Lamp() override
    {
        SCLContainer->BitmapList()->Clear();
        SCLContainer->ImageList()->Clear();
    }

    // The lamp's 11 x 11 pixels on the shown page, with the given picture.
    QImage Lamp(int image_index)
    {
        TForm_Main_HD& f = *page.form;
        f.ImageStatusRecord->SetVisible(true);
        f.ImageStatusRecord->SetImageIndex(image_index);
        f.Show();
        for (int i = 0; i < 3; ++i) {
            Application->ProcessMessages();
        }
        const QImage shown = Window_Widget(f.Handle())->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const POINT page_origin = f.ClientOrigin();
        const POINT origin = f.ImageStatusRecord->ClientOrigin();
        return shown.copy(origin.x - page_origin.x, origin.y - page_origin.y, 11, 11);
    }

    TSCLContainerCtrl container {nullptr};
    Hd_Page page;
};

bool Red(QRgb pixel, int least)
{
    return qRed(pixel) >= least && qGreen(pixel) < qRed(pixel) / 2 && qBlue(pixel) < qRed(pixel) / 2;
}

TEST_F(Recording_Lamp, LitItIsARedLampWithNoGreenInIt)
{
    const QImage lamp = Lamp(0);
    EXPECT_TRUE(Red(lamp.pixel(5, 5), 200)) << std::hex << lamp.pixel(5, 5);
    EXPECT_TRUE(Red(lamp.pixel(7, 7), 200)) << std::hex << lamp.pixel(7, 7);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 11; ++x) {
            const QRgb pixel = lamp.pixel(x, y);
            EXPECT_FALSE(qGreen(pixel) > 2 * qRed(pixel) && qGreen(pixel) > 2 * qBlue(pixel))
                << "green at " << x << "," << y;
        }
    }
}

TEST_F(Recording_Lamp, DarkItIsADarkRedLamp)
{
    const QImage lamp = Lamp(1);
    EXPECT_TRUE(Red(lamp.pixel(5, 5), 64)) << std::hex << lamp.pixel(5, 5);
    EXPECT_LT(qRed(lamp.pixel(5, 5)), 160);
}

} // namespace
