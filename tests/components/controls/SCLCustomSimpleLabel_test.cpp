#include "components/controls/SCLCustomSimpleLabel.h"

#include "components/controls/SCLSimpleLabel.h"

#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/winapi/Shell.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// An opaque white label with a black probe glyph, not sized to its text.
TSCLSimpleLabel* Probe_Label(TWinControl* parent, RECT bounds, const std::string& text)
{
    auto* label = new TSCLSimpleLabel(parent);
    label->SetAutoSize(false);
    label->SetBoundsRect(bounds);
    label->SetTransparent(false);
    label->SetColor(clWhite);
    label->Font()->SetName("Arial");
    label->Font()->SetHeight(-16);
    label->Font()->SetColor(clBlack);
    label->SetCaption(text);
    label->SetParent(parent);
    return label;
}

// The box of pixels that are not white inside Area of the image.
QRect Ink_Box(const QImage& image, const RECT& area)
{
    QRect box;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (image.pixel(x, y) != Rgb_Of(clWhite))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Stops the pool's window timer so that only the test's ticks count.
void Hold_Pool()
{
    SCLApplication->TimerPool()->UpdateMainTimer(false);
}

void Tick(int times = 1)
{
    for (int i = 0; i < times; ++i)
        SCLApplication->TimerPool()->HandleTimers();
}

struct Fake_Shell {
    std::vector<std::string> Opened;
    bool Succeeds = true;
    Fake_Shell()
    {
        Set_Shell_Opener([this](const std::string& target) {
            Opened.push_back(target);
            return Succeeds;
        });
    }
    ~Fake_Shell() { Set_Shell_Opener(nullptr); }
};

void Click_At(TCustomForm& form, int x, int y)
{
    SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

} // namespace

TEST(SimpleLabel, TheAlignmentPlacesTheTextInItsColumnAndRow)
{
    Test_Form form;
    auto* label = Probe_Label(&form, RECT{0, 0, 120, 60}, "I");
    form.Show();
    for (int ordinal = 0; ordinal < 9; ++ordinal) {
        label->SetAlignment(static_cast<TSCLAlignment>(ordinal));
        const QRect ink = Ink_Box(Shown(&form), RECT{0, 0, 120, 60});
        ASSERT_FALSE(ink.isEmpty()) << ordinal;
        const int column = ink.center().x() * 3 / 120;
        const int row = ink.center().y() * 3 / 60;
        EXPECT_EQ(column, ordinal % 3) << SCLEnumName(label->Alignment());
        EXPECT_EQ(row, ordinal / 3) << SCLEnumName(label->Alignment());
    }
}

TEST(SimpleLabel, AMultiLineBlockIsCentredAsABlock)
{
    Test_Form form;
    auto* label = Probe_Label(&form, RECT{0, 0, 120, 100}, "I\rI");
    label->SetMultiLine(true);
    label->SetAlignment(agCenterLeft);
    form.Show();
    const QRect ink = Ink_Box(Shown(&form), RECT{0, 0, 120, 100});
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().y(), 50, 4) << "two lines centred together";
    EXPECT_GT(ink.height(), 20) << "both lines drawn";
}

TEST(SimpleLabel, AutoSizeTakesTheMeasuredTextFromTheTopLeftCorner)
{
    Test_Form form;
    auto* label = Probe_Label(&form, RECT{10, 20, 200, 90}, "Hello");
    label->SetAlignment(agBottomRight);
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(label->Font());
    const SIZE text = measure.Canvas()->TextExtent("Hello");
    label->SetAutoSize(true);
    EXPECT_EQ(label->Left(), 10);
    EXPECT_EQ(label->Top(), 20);
    EXPECT_EQ(label->Width(), text.cx + 2);
    EXPECT_EQ(label->Height(), text.cy + 2);

    label->SetCaption("Hello, world");
    EXPECT_GT(label->Width(), text.cx + 2) << "a longer text widens it";
    label->SetAutoSize(false);
    label->SetBounds(10, 20, 30, 30);
    label->SetCaption("A much longer text");
    EXPECT_EQ(label->Width(), 30) << "without AutoSize the size stays";
}

TEST(SimpleLabel, AnEmptyTransparentLabelPaintsNothingAndAnOpaqueOneIsNeverEmpty)
{
    Test_Form form;
    auto* label = Probe_Label(&form, RECT{0, 0, 40, 20}, "");
    label->SetColor(clRed);
    EXPECT_FALSE(label->GetEmpty());
    label->SetTransparent(true);
    EXPECT_TRUE(label->GetEmpty());
    form.Show();
    EXPECT_EQ(Shown(&form).pixel(5, 5), Rgb_Of(clWhite));
}

TEST(SimpleLabel, TheAmpersandUnderlinesOrShowsItself)
{
    Test_Form form;
    auto* label = Probe_Label(&form, RECT{0, 0, 120, 30}, "&&");
    form.Show();
    const QRect one = Ink_Box(Shown(&form), RECT{0, 0, 120, 30});
    label->SetShowAccelChar(false);
    const QRect two = Ink_Box(Shown(&form), RECT{0, 0, 120, 30});
    EXPECT_GT(two.width(), one.width() + 3) << "two ampersands drawn as such";
}

TEST(LabelTwinkle, TheTextShowsForTheVisiblePeriodAndHidesForTheInvisibleOne)
{
    Test_Form form;
    auto* label = Probe_Label(&form, RECT{0, 0, 60, 30}, "I");
    form.Show();
    label->SetTwinkleVisible(150);   // three ticks
    label->SetTwinkleInVisible(100); // two ticks
    label->SetTwinkle(true);
    Hold_Pool();
    std::vector<bool> phases;
    for (int i = 0; i < 10; ++i) {
        Tick();
        phases.push_back(label->TwinkleShown());
    }
    EXPECT_EQ(phases, (std::vector<bool>{true, true, false, false, true, true, true, false, false, true}));
}

TEST(LabelTwinkle, HiddenTextIsLeftOutOrDrawnInTheTwinkleColour)
{
    Test_Form form;
    auto* label = Probe_Label(&form, RECT{0, 0, 60, 30}, "I");
    form.Show();
    label->SetTwinkle(true);
    Hold_Pool();
    Tick(14); // 700 ms
    ASSERT_FALSE(label->TwinkleShown());
    EXPECT_TRUE(Ink_Box(Shown(&form), RECT{0, 0, 60, 30}).isEmpty());
    label->SetTwinkleColor(clRed);
    const QImage red = Shown(&form);
    const QRect ink = Ink_Box(red, RECT{0, 0, 60, 30});
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_EQ(red.pixel(ink.center()), Rgb_Of(clRed));

    label->SetTwinkle(false);
    EXPECT_TRUE(label->TwinkleShown()) << "switched off, the text shows again at once";
    EXPECT_EQ(label->TwinkleTimer(), -1);
    EXPECT_EQ(Shown(&form).pixel(ink.center()), Rgb_Of(clBlack));
}

TEST(LabelTwinkle, PeriodsAreRoundedToThePoolsTickAndNeverRefused)
{
    struct Case {
        int milliseconds;
        int pool;
    };
    for (const Case c : {Case{700, 700}, Case{120, 100}, Case{130, 150}, Case{7, 50}, Case{0, 50}, Case{-5, 50},
                         Case{1'000'000, 65500}})
        EXPECT_EQ(TSCLBaseLabel::PoolInterval(c.milliseconds), c.pool) << c.milliseconds;

    Test_Form form;
    auto* label = Probe_Label(&form, RECT{0, 0, 60, 30}, "I");
    label->SetTwinkleVisible(70);    // one tick
    label->SetTwinkleInVisible(130); // three ticks
    EXPECT_NO_THROW(label->SetTwinkle(true));
    Hold_Pool();
    ASSERT_GE(label->TwinkleTimer(), 0);
    std::vector<bool> phases;
    for (int i = 0; i < 5; ++i) {
        Tick();
        phases.push_back(label->TwinkleShown());
    }
    EXPECT_EQ(phases, (std::vector<bool>{false, false, false, true, false}));
}

TEST(LabelTwinkle, DestroyingATwinklingLabelReleasesItsTimer)
{
    auto label = std::make_unique<TSCLSimpleLabel>(nullptr);
    label->SetTwinkle(true);
    Hold_Pool();
    const int ident = label->TwinkleTimer();
    ASSERT_GT(ident, 0);
    EXPECT_NE(SCLApplication->GetTimer(static_cast<WORD>(ident)), nullptr);
    label.reset();
    EXPECT_EQ(SCLApplication->GetTimer(static_cast<WORD>(ident)), nullptr);
    Tick(20); // no handler of a freed label runs
}

TEST(LabelAccelerator, AltAndTheMarkedKeyFocusTheFocusControl)
{
    Test_Form form;
    auto* first = new TEdit(&form);
    first->SetBounds(10, 60, 80, 20);
    first->SetParent(&form);
    auto* target = new TEdit(&form);
    target->SetBounds(10, 90, 80, 20);
    target->SetParent(&form);
    auto* label = Probe_Label(&form, RECT{10, 10, 80, 30}, "&Port");
    label->SetControl(target);
    form.Show();
    first->SetFocus();
    Pump();
    ASSERT_TRUE(first->Focused());

    const auto press_alt_p = [&form] {
        QWidget* widget = Window_Widget(form.Handle());
        QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(widget, &alt);
        QKeyEvent p(QEvent::KeyPress, Qt::Key_P, Qt::AltModifier, QStringLiteral("p"));
        QApplication::sendEvent(widget, &p);
        QKeyEvent p_up(QEvent::KeyRelease, Qt::Key_P, Qt::AltModifier, QStringLiteral("p"));
        QApplication::sendEvent(widget, &p_up);
        QKeyEvent alt_up(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(widget, &alt_up);
        Pump();
    };

    label->SetEnabled(false);
    press_alt_p();
    EXPECT_TRUE(first->Focused()) << "a disabled label ignores its accelerator";
    label->SetEnabled(true);
    press_alt_p();
    EXPECT_TRUE(target->Focused());

    first->SetFocus();
    Pump();
    delete target;
    EXPECT_EQ(label->FocusControl(), nullptr);
    press_alt_p();
    EXPECT_TRUE(first->Focused());
}

TEST(LabelJump, AWebJumpOpensTheMailAddressOfItsText)
{
    Fake_Shell shell;
    Test_Form form;
    auto* label = Probe_Label(&form, RECT{0, 0, 100, 20}, "support@example.com");
    label->SetJumpMode(jmInternet);
    EXPECT_EQ(label->Font()->Color(), label->InActiveColor());
    EXPECT_TRUE(label->Font()->Style().Contains(fsUnderline));
    EXPECT_EQ(label->Cursor(), crHandPoint);
    form.Show();
    Click_At(form, 10, 10);
    EXPECT_EQ(shell.Opened, (std::vector<std::string>{"mailto:support@example.com"}));
    EXPECT_EQ(label->GetCounter(), 1);
    EXPECT_EQ(label->Font()->Color(), label->ActiveColor());

    label->SetJump("  https://example.com/  ");
    label->SetJumpMode(jmApplication);
    Click_At(form, 10, 10);
    EXPECT_EQ(shell.Opened.back(), "https://example.com/");

    label->SetJumpMode(jmNone);
    EXPECT_EQ(label->Cursor(), crDefault);
    EXPECT_FALSE(label->Font()->Style().Contains(fsUnderline));
    int clicks = 0;
    label->OnClick = [&clicks](TObject*) { ++clicks; };
    Click_At(form, 10, 10);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shell.Opened.size(), 2U) << "no jump without a jump mode";
}

TEST(LabelJump, AJumpTheShellCannotOpenIsReportedAndSwitchedOff)
{
    Fake_Shell shell;
    shell.Succeeds = false;
    Test_Form form;
    auto* label = Probe_Label(&form, RECT{0, 0, 100, 20}, "www.example.com");
    label->SetJumpMode(jmInternet);
    form.Show();
    std::vector<std::string> reported;
    Application->OnException = [&reported](TObject*, Exception* E) { reported.push_back(E->Message); };
    Click_At(form, 10, 10);
    Application->OnException = nullptr;
    ASSERT_EQ(reported.size(), 1U);
    EXPECT_NE(reported[0].find("www.example.com"), std::string::npos);
    EXPECT_EQ(label->JumpMode(), jmNone);
    EXPECT_FALSE(label->Enabled());
}

TEST(SimpleLabel, FormsStoreOnlyWhatDiffersFromTheDefaults)
{
    TSCLSimpleLabel label(nullptr);
    label.SetName("Label");
    const TFormObject plain = Parse_Form_Text(WriteComponentText(&label), "written");
    for (const TFormProperty& property : plain.Properties)
        EXPECT_TRUE(property.Name.starts_with("BackFX.") || property.Name == "Options" || property.Name == "Left" || property.Name == "Top" ||
                    property.Name == "Width" || property.Name == "Height")
            << property.Name << " is stored though it has its default";

    std::unique_ptr<TComponent> read(CreateComponentFromText(R"(object Label: TSCLSimpleLabel
  Width = 50
  Height = 20
  Alignment = agCenterLeft
  AutoSize = False
  MultiLine = True
  Options = [loEndEllipsis]
  TwinkleVisible = 500
  TwinkleInVisible = 500
  ActiveColor = clRed
  Font3D.Style = tdRaised
  UseAsJump = True
end
)",
                                                             "test", nullptr));
    auto* loaded = dynamic_cast<TSCLSimpleLabel*>(read.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Alignment(), agCenterLeft);
    EXPECT_FALSE(loaded->AutoSize());
    EXPECT_TRUE(loaded->MultiLine());
    EXPECT_EQ(loaded->GetOptionsFlag(), 0x8000);
    EXPECT_EQ(loaded->TwinkleVisible(), 500);
    EXPECT_EQ(loaded->ActiveColor(), clRed);
    EXPECT_EQ(loaded->Font3D()->Style(), tdRaised);
    EXPECT_EQ(loaded->JumpMode(), jmInternet) << "an old layout's jump switch";
    EXPECT_EQ(loaded->Width(), 50);
}
