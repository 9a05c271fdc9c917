#include "components/controls/Sclformstyler.h"

#include "components/foundations/Sclsysin_Frame.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/winapi/Window.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

class Titled_Form : public TForm {
public:
    Titled_Form() : TForm(nullptr)
    {
        SetCaption("Title of the form");
        SetBounds(40, 40, 200, 120);
    }
};

// A styler made at run time hooks its form once enabled anew.
void Hook(TSCLFormStyler& styler)
{
    styler.SetEnabled(false);
    styler.SetEnabled(true);
}

std::string Window_Text(HWND window, WPARAM room, LRESULT* result = nullptr)
{
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    const LRESULT answered = SendMessageA(window, WM_GETTEXT, room, reinterpret_cast<LPARAM>(buffer));
    if (result)
        *result = answered;
    return std::string(buffer, buffer + 4);
}

TEST(FormStyler, WithoutFormCaptionTheFormAnswersABlankTitleUntilTheStylerLetsGo)
{
    Titled_Form form;
    TSCLFormStyler styler(&form);
    styler.SetOptions(TSCLFormStyler::Default_Options - TSCLFormStyleOptions{fsUseFormCaption});
    Hook(styler);
    EXPECT_EQ(styler.Caption(), "Title of the form");
    LRESULT result = 0;
    EXPECT_EQ(Window_Text(form.Handle(), 64, &result), std::string(" \0##", 4));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(SendMessageA(form.Handle(), WM_GETTEXTLENGTH, 0, 0), 1);
    // The caller's buffer size holds: one byte takes only the terminator, none takes nothing.
    EXPECT_EQ(Window_Text(form.Handle(), 1, &result), std::string("\0###", 4));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Window_Text(form.Handle(), 0, &result), "####");
    styler.SetEnabled(false);
    EXPECT_EQ(form.Caption(), "Title of the form");
    EXPECT_EQ(Window_Text(form.Handle(), 64), std::string("Titl", 4));
}

TEST(FormStyler, WithFormCaptionTheTextPassesOnAndActivationIsFollowed)
{
    Titled_Form form;
    TSCLFormStyler styler(&form);
    Hook(styler);
    EXPECT_EQ(form.Caption(), "Title of the form");
    EXPECT_EQ(Window_Text(form.Handle(), 64), "Titl");
    EXPECT_EQ(SendMessageA(form.Handle(), WM_NCACTIVATE, 1, 0), 1);
    EXPECT_TRUE(styler.FormActive());
    EXPECT_EQ(SendMessageA(form.Handle(), WM_NCACTIVATE, 0, 0), 1);
    EXPECT_FALSE(styler.FormActive());
}

TEST(FormStyler, TheSystemsGradientTitleIsLeftAlone)
{
    Titled_Form form;
    form.Show();
    TSCLFormStyler styler(&form);
    Hook(styler);
    EXPECT_TRUE(styler.SystemGradient());
    EXPECT_FALSE(styler.PaintTitleBar(true)) << "a system gradient title at more than 256 colours";
    EXPECT_FALSE(styler.OwnTitle());
    EXPECT_TRUE(static_cast<DWORD>(GetWindowLongA(form.Handle(), GWL_STYLE)) & WS_CAPTION);
}

// The window manager's title bar is not ours: a painting styler gives the
// form a title strip of its own instead.
TEST(FormStyler, APaintingStylerTakesTheTitleIntoAStripOfItsOwn)
{
    Titled_Form form;
    form.Show();
    TSCLFormStyler styler(&form);
    styler.SetOptions(TSCLFormStyler::Default_Options - TSCLFormStyleOptions{fsCheckSystemGradient});
    EXPECT_FALSE(styler.OwnTitle()) << "not before it hooks the form";
    Hook(styler);
    ASSERT_TRUE(styler.OwnTitle());
    const HWND window = form.Handle();
    EXPECT_FALSE(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_CAPTION);
    const RECT strip = styler.TitleStripRect();
    ASSERT_GT(strip.bottom, 0);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(form.ClientOrigin().y - bounds.top, strip.bottom) << "the client area starts under the strip";
    EXPECT_EQ(form.ClientHeight(), form.Height() - strip.bottom);

    const RECT close = styler.CloseButtonRect();
    const auto hit = [&](int x, int y) {
        return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(bounds.left + x, bounds.top + y));
    };
    EXPECT_EQ(hit(10, strip.bottom / 2), HTCAPTION);
    EXPECT_EQ(hit(close.left + 1, close.top + 1), HTCLOSE);
    EXPECT_EQ(hit(10, strip.bottom + 5), HTCLIENT);

    SendMessageA(window, WM_NCACTIVATE, 1, 0);
    QImage shown = Shown(&form);
    const int middle = strip.bottom / 2;
    EXPECT_EQ(shown.pixel(0, middle), Rgb_Of(clBlack)) << "the gradient starts black";
    if (qEnvironmentVariableIsSet("CONTROLS_RENDER"))
        shown.save(qEnvironmentVariable("CONTROLS_RENDER"));
    EXPECT_EQ(shown.pixel(strip.right - 1, 1), Rgb_Of(clActiveCaption)) << "and ends in the caption colour";
    EXPECT_EQ(shown.pixel(close.left + 1, close.top + 1), Rgb_Of(clBtnHighlight)) << "a raised close button";
    EXPECT_EQ(shown.pixel(close.right - 1, close.bottom - 1), Rgb_Of(cl3DDkShadow));
    EXPECT_EQ(shown.pixel((close.left + close.right) / 2, (close.top + close.bottom) / 2), Rgb_Of(clBtnText))
        << "the cross in its middle";
    SendMessageA(window, WM_NCACTIVATE, 0, 0);
    shown = Shown(&form);
    EXPECT_EQ(shown.pixel(0, middle), Rgb_Of(clInactiveCaption)) << "the inactive stand-in bar";

    SendMessageA(window, WM_NCLBUTTONDOWN, HTCLOSE, 0);
    EXPECT_FALSE(form.Visible()) << "the close button closes the form";

    styler.SetEnabled(false);
    EXPECT_FALSE(styler.OwnTitle());
    EXPECT_TRUE(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_CAPTION) << "the frame is given back";
}

struct Painted_Title {
    std::unique_ptr<TBitmap> Bitmap = std::make_unique<TBitmap>();
    RECT Caption{0, 0, 120, 18};
    RECT Text{4, 0, 120, 18};

    Painted_Title()
    {
        Bitmap->SetSize(120, 18);
        Bitmap->Canvas()->Brush()->SetColor(clLime);
        Bitmap->Canvas()->FillRect(Caption);
    }
    TColor At(int x, int y) { return Bitmap->Canvas()->Pixels(x, y); }
};

TEST(FormStyler, ActiveTitleIsAGradientFromBlackToTheCaptionColour)
{
    Titled_Form form;
    TSCLFormStyler styler(&form);
    Hook(styler);
    SendMessageA(form.Handle(), WM_NCACTIVATE, 1, 0);
    ASSERT_TRUE(styler.FormActive());
    styler.SetColors(1);
    EXPECT_EQ(styler.Colors(), 2) << "kept within 2..236";
    styler.SetColors(32);
    styler.SetCaption("");
    Painted_Title title;
    styler.PaintTitleBarOn(title.Bitmap->Canvas(), title.Caption, title.Text, 0, true);
    EXPECT_EQ(title.At(0, 9), clBlack);
    EXPECT_EQ(ColorToRGB(title.At(119, 9)), ColorToRGB(clActiveCaption));
    const COLORREF middle = ColorToRGB(title.At(60, 9));
    EXPECT_GT(GetBValue(middle), 0);
    EXPECT_LT(GetBValue(middle), GetBValue(ColorToRGB(clActiveCaption)));
    EXPECT_EQ(title.At(60, 0), title.At(60, 17)) << "horizontal: one colour down a column";
}

TEST(FormStyler, InactiveTitleStaysTheSystemsUnlessInactiveGradientIsSet)
{
    Titled_Form form;
    TSCLFormStyler styler(&form);
    Painted_Title title;
    styler.PaintTitleBarOn(title.Bitmap->Canvas(), title.Caption, title.Text, 0, true);
    EXPECT_EQ(title.At(119, 9), clLime);
    styler.SetOptions(styler.Options() + TSCLFormStyleOptions{fsInactiveGradient});
    styler.PaintTitleBarOn(title.Bitmap->Canvas(), title.Caption, title.Text, 0, true);
    EXPECT_EQ(ColorToRGB(title.At(119, 9)), ColorToRGB(clInactiveCaption));
}

TEST(FormStyler, OwnerDrawingGetsTheBarAndTheTextRectangles)
{
    Titled_Form form;
    TSCLFormStyler styler(&form);
    styler.SetPaintMode(pcOwnerDraw);
    RECT bar{};
    RECT text{};
    styler.OnPaint = [&](TObject*, TCanvas* canvas, const RECT& rect) {
        bar = rect;
        canvas->Brush()->SetColor(clRed);
        canvas->FillRect(RECT{0, 0, 500, 500});
    };
    styler.OnCaptionPaint = [&](TObject*, TCanvas*, const RECT& rect) { text = rect; };
    Painted_Title title;
    title.Caption = RECT{0, 0, 100, 18};
    styler.PaintTitleBarOn(title.Bitmap->Canvas(), title.Caption, title.Text, 0, true);
    EXPECT_EQ(bar.right, 100);
    EXPECT_EQ(text.left, 4);
    EXPECT_EQ(title.At(99, 9), clRed);
    EXPECT_EQ(title.At(100, 9), clLime) << "clipped to the bar";
}

TEST(FormStyler, StoredSettingsRoundTripWithoutDefaults)
{
    TSCLFormStyler styler(nullptr);
    styler.SetName("Styler");
    EXPECT_EQ(WriteComponentText(&styler).find("Options"), std::string::npos);
    styler.SetAlignment(taCenter);
    styler.SetColors(64);
    styler.SetOptions(TSCLFormStyleOptions{fsInactiveGradient});
    styler.SetPaintMode(pcOwnerDraw);
    const std::string text = WriteComponentText(&styler);
    TSCLFormStyler read(nullptr);
    ReadComponentText(text, "styler", &read, TForm_Table());
    EXPECT_EQ(read.Alignment(), taCenter);
    EXPECT_EQ(read.Colors(), 64);
    EXPECT_EQ(read.Options(), TSCLFormStyleOptions{fsInactiveGradient});
    EXPECT_EQ(read.PaintMode(), pcOwnerDraw);
}

} // namespace
