#include "components/controls/Sclaboutdlg.h"

#include <QImage>
#include <QTimer>

#include <functional>
#include <vector>

#include "components/controls/SCLBack.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/Sclformstyler.h"
#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclsysin.h"
#include "platform/classlib/Dialog_Registry.h"
#include "components/controls/Sclaboutdlg_Picture.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/winapi/Kernel.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

template <class Control>
Control* Part(TComponent* form, const char* name)
{
    auto* control = dynamic_cast<Control*>(form->FindComponent(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

RECT Bounds(TComponent* form, const char* name)
{
    return Part<TControl>(form, name)->BoundsRect();
}

// Runs the about box; Inspect sees the built form, which the dialog
// registry then closes from inside the modal run.
bool Run_About(TSCLAboutDlg& about, const std::function<void(TCustomForm*)>& Inspect)
{
    about.OnCustomize = [&](TObject* Sender) {
        auto* form = dynamic_cast<TCustomForm*>(Sender);
        ASSERT_NE(form, nullptr);
        QTimer::singleShot(0, [form, &Inspect] {
            Pump();
            Inspect(form);
            EXPECT_EQ(Close_Modal_Dialogs(GetCurrentThreadId()), 1);
        });
    };
    return about.Execute();
}

struct Icon_Layout {
    TSCLAboutIconStyle Style;
    int Form_Width;
    bool Image_Visible;
    int Image_Left;
    POINT Name;
    int Version_Top; // with a one-line name
};

class AboutLayout : public testing::TestWithParam<Icon_Layout> {};

TEST_P(AboutLayout, IconStylePlacesTheImageNameAndVersionLine)
{
    const Icon_Layout& expected = GetParam();
    TSCLAboutDlg about(nullptr);
    about.Appname = "Product";
    about.Version = "Version 2.3";
    about.IconStyle = expected.Style;
    EXPECT_TRUE(Run_About(about, [&](TCustomForm* form) {
        EXPECT_EQ(form->Width(), expected.Form_Width);
        auto* image = Part<TGraphicControl>(form, "Image");
        EXPECT_EQ(image->Visible(), expected.Image_Visible);
        EXPECT_EQ(image->Left(), expected.Image_Left);
        const RECT name = Bounds(form, "NameLabel");
        EXPECT_EQ(name.left, expected.Name.x);
        EXPECT_EQ(name.top, expected.Name.y);
        EXPECT_EQ(Bounds(form, "VersionLabel").top, expected.Version_Top);
        EXPECT_EQ(Bounds(form, "VersionLabel").left, expected.Name.x);
        if (qEnvironmentVariableIsSet("CONTROLS_RENDER_DIR")) {
            UpdateWindow(form->Handle());
            Window_Widget(form->Handle())->grab().save(qEnvironmentVariable("CONTROLS_RENDER_DIR") +
                                                      QString("/controls-about-%1.png").arg(expected.Style));
        }
        if (expected.Style != isNone) {
            EXPECT_NE(About_Picture(image), nullptr) << "the application's icon stands in";
            EXPECT_EQ(About_Picture_Stretched(image), expected.Style == isExtended) << "an icon at its own size";
        }
    }));
}

INSTANTIATE_TEST_SUITE_P(Styles, AboutLayout,
                         testing::Values(Icon_Layout{isNone, 340, false, 15, {10, 10}, 60},
                                         Icon_Layout{isStandard, 410, true, 13, {60, 12}, 66},
                                         Icon_Layout{isExtended, 440, true, 15, {128, 24}, 7 + 105}));

TEST(AboutDialog, ExtendedIconIsADoubledCardWithShadowAndFrame)
{
    TSCLAboutDlg about(nullptr);
    Run_About(about, [](TCustomForm* form) {
        TGraphic* card = About_Picture(Part<TGraphicControl>(form, "Image"));
        ASSERT_NE(card, nullptr);
        TIcon icon;
        TSCLAboutDlg::ApplicationIcon(&icon);
        const int width = icon.Width() * 2 + 8;
        const int height = icon.Height() * 2 + 8;
        ASSERT_EQ(card->Width(), width);
        ASSERT_EQ(card->Height(), height);
        TCanvas* canvas = dynamic_cast<TBitmap*>(card)->Canvas();
        EXPECT_EQ(canvas->Pixels(0, 0), clBlack) << "the frame";
        EXPECT_EQ(canvas->Pixels(width - 6, height - 6), clBlack);
        EXPECT_EQ(canvas->Pixels(width - 1, height - 1), static_cast<TColor>(0x808080)) << "the shadow";
        EXPECT_EQ(ColorToRGB(canvas->Pixels(width - 1, 2)), ColorToRGB(clBtnFace)) << "above the shadow";
    });
}

TEST(AboutDialog, LinkGapsDependOnTheMailAddress)
{
    struct Case {
        std::string Jump, EMail;
    };
    for (const Case& c : {Case{"https://example.org", ""}, Case{"https://example.org", "info@example.org"},
                          Case{"", "info@example.org"}}) {
        TSCLAboutDlg about(nullptr);
        about.Appname = "Product";
        about.Copyright = "Copyright line";
        about.Jump = c.Jump;
        about.EMail = c.EMail;
        Run_About(about, [&](TCustomForm* form) {
            const RECT copyright = Bounds(form, "CopyrightLabel");
            const RECT jump = Bounds(form, "JumpLabel");
            const RECT mail = Bounds(form, "EMailLabel");
            const int separator = Bounds(form, "Separator").top;
            EXPECT_EQ(Part<TControl>(form, "JumpLabel")->Visible(), !c.Jump.empty());
            EXPECT_EQ(Part<TControl>(form, "EMailLabel")->Visible(), !c.EMail.empty());
            if (c.EMail.empty()) {
                EXPECT_EQ(jump.top, copyright.bottom + 1);
                EXPECT_EQ(separator, jump.bottom + 6 + 6);
            } else if (!c.Jump.empty()) {
                EXPECT_EQ(mail.top, jump.bottom + 3);
                EXPECT_EQ(separator, mail.bottom + 6);
            } else {
                EXPECT_EQ(mail.top, copyright.bottom + 1 + 3) << "the hidden link's gap stays";
            }
            auto* link = Part<TSCLSimpleLabel>(form, c.Jump.empty() ? "EMailLabel" : "JumpLabel");
            EXPECT_EQ(link->JumpMode(), jmInternet);
            EXPECT_EQ(link->Font()->Color(), static_cast<TColor>(0xFF0000));
            EXPECT_TRUE(link->Font()->Style().Contains(fsUnderline));
        });
    }
}

TEST(AboutDialog, TextsFallBackInOrder)
{
    Application->SetTitle("Title Of App");
    TSCLAboutDlg about(nullptr);
    about.UseResInfo = true;
    about.Description = "Described";
    Run_About(about, [](TCustomForm* form) {
        EXPECT_EQ(form->Caption(), "Info Title Of App...");
        EXPECT_EQ(Part<TControl>(form, "VersionLabel")->Caption(), "Version " + SCLSIVersionInfo(viVersion));
        EXPECT_EQ(Part<TControl>(form, "DescriptionLabel")->Caption(), "Described");
        EXPECT_EQ(Part<TControl>(form, "InfoLabel1")->Caption(), "Available Memory:\rPlatform, CPU:");
        const std::string values = Part<TControl>(form, "InfoLabel2")->Caption();
        EXPECT_EQ(values.rfind(std::to_string((SCLSIMemTotal() + 512) / 1024) + " KB\r", 0), 0u) << values;
        EXPECT_NE(values.find("x " + SCLSIProcessorTypeStr() + " or compatible"), std::string::npos) << values;
        // The second column starts where the first ends; the OK button sits under them.
        const RECT first = Bounds(form, "InfoLabel1");
        const RECT second = Bounds(form, "InfoLabel2");
        EXPECT_EQ(second.left, first.right);
        EXPECT_EQ(first.right - first.left, 150);
        const RECT ok = Bounds(form, "OKButton");
        EXPECT_EQ(ok.top, std::max(first.bottom, second.bottom) + 24);
        EXPECT_EQ(ok.right, form->ClientWidth() - 6);
        EXPECT_EQ(form->ClientHeight(), ok.bottom + 6);
    });
    about.UseResInfo = false;
    about.UseDefault = true;
    SCLApplication->Version = "9.9";
    about.CaptionTitle = "About it";
    Run_About(about, [](TCustomForm* form) {
        EXPECT_EQ(form->Caption(), "About it");
        EXPECT_EQ(Part<TControl>(form, "VersionLabel")->Caption(), "Version 9.9");
        EXPECT_EQ(Part<TControl>(form, "NameLabel")->Caption(), "Title Of App");
        EXPECT_EQ(Part<TControl>(form, "CopyrightLabel")->Caption(), "\rCopyright \xC2\xA9 by ");
    });
    SCLApplication->Version.clear();
}

TEST(AboutDialog, HintsGoToOkExtraButtonAndImageOnlyWhenShown)
{
    for (const bool show : {true, false}) {
        TSCLAboutDlg about(nullptr);
        about.Hints()->Add("ok hint");
        about.Hints()->Add("extra hint");
        about.Hints()->Add("image hint");
        about.ShowHints = show;
        Run_About(about, [&](TCustomForm* form) {
            EXPECT_EQ(form->ShowHint(), show);
            EXPECT_EQ(Part<TControl>(form, "OKButton")->Hint(), show ? "ok hint" : "");
            EXPECT_EQ(Part<TControl>(form, "CustomButton")->Hint(), show ? "extra hint" : "");
            EXPECT_EQ(Part<TControl>(form, "Image")->Hint(), show ? "image hint" : "");
        });
    }
}

TEST(AboutDialog, ExtraButtonLeftOfOkRunsItsHandlerWithoutClosing)
{
    TSCLAboutDlg about(nullptr);
    about.CustomButton = "More...";
    int clicks = 0;
    about.OnCustomClick = [&](TObject*) { ++clicks; };
    Run_About(about, [&](TCustomForm* form) {
        auto* extra = Part<TButton>(form, "CustomButton");
        EXPECT_TRUE(extra->Visible());
        EXPECT_EQ(extra->Caption(), "More...");
        EXPECT_EQ(extra->BoundsRect().right, Bounds(form, "OKButton").left - 6);
        extra->Click();
        Pump();
        EXPECT_EQ(clicks, 1);
        EXPECT_TRUE(form->Modal()) << "the extra button does not close the box";
        EXPECT_EQ(form->ModalResult(), mrNone);
    });
}

TEST(AboutDialog, PlacedInTheOwnerFormWithTheTitleStylerDressed)
{
    Test_Form owner;
    owner.SetBounds(100, 80, 600, 500);
    TSCLAboutDlg about(nullptr);
    about.Position = bpBottomRight;
    about.CaptionFill = true;
    about.Colors = 64;
    about.OnCustomize = [&](TObject* Sender) {
        auto* form = dynamic_cast<TCustomForm*>(Sender);
        QTimer::singleShot(0, [form] {
            RECT box{};
            GetWindowRect(form->Handle(), &box);
            EXPECT_EQ(box.right, 100 + 600);
            EXPECT_EQ(box.bottom, 80 + 500);
            auto* styler = Part<TSCLFormStyler>(form, "Styler");
            EXPECT_TRUE(styler->Enabled());
            EXPECT_EQ(styler->Colors(), 64);
            EXPECT_TRUE(styler->Options().Contains(fsCheckSystemGradient));
            EXPECT_FALSE(styler->OwnTitle()) << "the system's gradient title stays";
            EXPECT_FALSE(Part<TSCLBack>(form, "Back")->Enabled()) << "no picture list";
            Close_Modal_Dialogs(GetCurrentThreadId());
        });
    };
    EXPECT_TRUE(about.ExecuteEnh(&owner));
}

TEST(AboutDialog, OkEndsTheBoxAndTheFormIsFreed)
{
    TSCLAboutDlg about(nullptr);
    TCustomForm* shown = nullptr;
    about.OnCustomize = [&](TObject* Sender) {
        shown = dynamic_cast<TCustomForm*>(Sender);
        QTimer::singleShot(0, [&] { Part<TButton>(shown, "OKButton")->Click(); });
    };
    const int forms_before = Screen->FormCount();
    EXPECT_TRUE(about.Execute());
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(Screen->FormCount(), forms_before);
    EXPECT_TRUE(Find_Modal_Dialogs(GetCurrentThreadId()).empty());
}

class Recording_About : public TSCLAboutDlg {
public:
    using TSCLAboutDlg::TSCLAboutDlg;
    std::string Name, Copyright_Lines;
    bool Had_Icon = false;

protected:
    bool ShellAbout(HWND Owner, const std::string& AName, const std::string& ACopyright, TIcon* AIcon) override
    {
        Name = AName;
        Copyright_Lines = ACopyright;
        Had_Icon = AIcon && !AIcon->Empty();
        return TSCLAboutDlg::ShellAbout(Owner, AName, ACopyright, AIcon);
    }
};

// The shell's box open now: its form, from the dialog registry.
TCustomForm* Shell_Box()
{
    const std::vector<Modal_Dialog> open = Find_Modal_Dialogs(GetCurrentThreadId());
    EXPECT_EQ(open.size(), 1u);
    return open.empty() ? nullptr : dynamic_cast<TCustomForm*>(FindControl(open.back().Window));
}

std::string Caption_Of(TComponent* form, const char* name)
{
    auto* label = dynamic_cast<TLabel*>(form->FindComponent(name));
    EXPECT_NE(label, nullptr) << name;
    return label ? label->Caption() : std::string();
}

TEST(AboutDialog, StandardStyleShowsTheShellBoxWithNameAndCaptionTitle)
{
    Recording_About about(nullptr);
    about.Style = bsStandard;
    about.Appname = "Product";
    about.CaptionTitle = "About Product";
    about.Copyright = "\rCopyright Maker\rHelp kit licence" + std::string(300, 'c');
    int customized = 0;
    about.OnCustomize = [&](TObject*) { ++customized; };
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        Pump();
        TCustomForm* box = Shell_Box();
        ASSERT_NE(box, nullptr);
        inspected = true;
        EXPECT_TRUE(box->Visible());
        EXPECT_EQ(box->Caption(), "Product") << "the name before the #";
        EXPECT_EQ(Caption_Of(box, "NameLabel"), "About Product") << "the caption title after it";
        const std::string copyright = Caption_Of(box, "CopyrightLabel");
        EXPECT_EQ(copyright.substr(0, 33), "\nCopyright Maker\nHelp kit licence");
        EXPECT_EQ(copyright.size(), 255u) << "cut as the shell's texts are";
        auto* image = dynamic_cast<TGraphicControl*>(box->FindComponent("Image"));
        ASSERT_NE(image, nullptr);
        ASSERT_NE(About_Picture(image), nullptr);
        EXPECT_FALSE(About_Picture(image)->Empty()) << "the application's icon";
        EXPECT_EQ(Close_Modal_Dialogs(GetCurrentThreadId()), 1);
    });
    EXPECT_TRUE(about.Execute()) << "shown and closed";
    EXPECT_TRUE(inspected);
    EXPECT_EQ(about.Name, "Product#About Product");
    EXPECT_EQ(about.Copyright_Lines.size(), 255u);
    EXPECT_TRUE(about.Had_Icon);
    EXPECT_EQ(customized, 0) << "the library's own form is not built";
    EXPECT_TRUE(Find_Modal_Dialogs(GetCurrentThreadId()).empty());
}

TEST(AboutDialog, ShellBoxWithoutASeparatorIsTitledAboutTheName)
{
    Recording_About about(nullptr);
    about.Style = bsStandard;
    about.Appname = "Product";
    QTimer::singleShot(0, [&] {
        Pump();
        TCustomForm* box = Shell_Box();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->Caption(), "About Product");
        EXPECT_EQ(Caption_Of(box, "NameLabel"), "About Product");
        EXPECT_EQ(Caption_Of(box, "CopyrightLabel"), "");
        EXPECT_EQ(Close_Modal_Dialogs(GetCurrentThreadId()), 1);
    });
    EXPECT_TRUE(about.Execute());
}

// The main window's about box: stored with its settings, read back.
TEST(AboutDialog, StoredSettingsReadBackAndDefaultsAreNotWritten)
{
    TSCLAboutDlg about(nullptr);
    about.SetName("Form_About");
    std::string text = WriteComponentText(&about);
    EXPECT_EQ(text.find("IconStyle"), std::string::npos) << text;
    EXPECT_EQ(text.find("ShowHints"), std::string::npos) << text;
    about.Appname = "Product";
    about.AppNameSize = 17;
    about.IconStyle = isStandard;
    about.RelatePos = brScreenWorkArea;
    about.ShowHints = false;
    about.UseResInfo = true;
    about.Version = "Version ";
    about.Hints()->Add("a hint");
    text = WriteComponentText(&about);
    TSCLAboutDlg read(nullptr);
    ReadComponentText(text, "about", &read, TForm_Table());
    EXPECT_EQ(read.Appname, "Product");
    EXPECT_EQ(read.AppNameSize, 17);
    EXPECT_EQ(read.IconStyle, isStandard);
    EXPECT_EQ(read.RelatePos, brScreenWorkArea);
    EXPECT_FALSE(read.ShowHints);
    EXPECT_TRUE(read.UseResInfo);
    EXPECT_EQ(read.Version, "Version ");
    EXPECT_EQ(read.Hints()->Text(), about.Hints()->Text());
    EXPECT_EQ(WriteComponentText(&read), text);
}

TEST(AboutDialog, TheMainWindowsStoredBoxIsReadWithItsGlobalBackground)
{
    Test_Form form;
    auto* about = dynamic_cast<TSCLAboutDlg*>(CreateComponentFromText("object Form_About: TSCLAboutDlg\n"
                                                                     "  CaptionTitle = 'About Product'\n"
                                                                     "  Internal = 'SCLBML30'\n"
                                                                     "  ListIndex = 2\n"
                                                                     "  RelatePos = brScreenWorkArea\n"
                                                                     "  ShowHints = False\n"
                                                                     "  Appname = 'Product'\n"
                                                                     "  IconStyle = isStandard\n"
                                                                     "  AppNameSize = 17\n"
                                                                     "  Version = 'Version '\n"
                                                                     "  UseResInfo = True\n"
                                                                     "end\n",
                                                                     "main form", &form));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Name(), "Form_About");
    EXPECT_EQ(about->ImageList(), SCLContainer->BitmapList());
    EXPECT_EQ(about->ListIndex(), 2);
    EXPECT_EQ(about->CaptionTitle, "About Product");
    EXPECT_EQ(about->IconStyle, isStandard);
    EXPECT_EQ(about->AppNameSize, 17);
    EXPECT_FALSE(about->ShowHints);
    EXPECT_TRUE(about->UseResInfo);
    const std::string written = WriteComponentText(about);
    EXPECT_NE(written.find("Internal = 'SCLBML30'"), std::string::npos) << written;
    EXPECT_EQ(written.find("ImageList"), std::string::npos) << "the global list is named, not referred to";
}

// The about box as the main window sets it up, over a picture as item 2 of
// the global bitmap list; it is closed by the dialog registry.
TEST(AboutDialog, MainWindowBoxShowsItsPictureBehindTheTexts)
{
    SCLContainer->BitmapList()->Clear();
    for (int i = 0; i < 3; ++i)
        SCLContainer->BitmapList()->Add();
    SCLContainer->BitmapList()->Items(2)->SetBitmap(Pattern_Bitmap(64, 64).get());
    TSCLAboutDlg about(nullptr);
    about.Appname = "Ravivida Triax Camera Ordexia";
    about.AppNameSize = 17;
    about.CaptionTitle = "About Ravivida Triax Camera Ordexia";
    about.Copyright = "Copyright line of the maker\rLicence line of the help kit";
    about.SetImageList(SCLContainer->BitmapList());
    about.SetListIndex(2);
    about.IconStyle = isStandard;
    about.Jump = "https://www.example.org";
    about.RelatePos = brScreenWorkArea;
    about.ShowHints = false;
    about.UseResInfo = true;
    about.Version = "Version 2.3";
    Run_About(about, [](TCustomForm* form) {
        EXPECT_EQ(form->Caption(), "About Ravivida Triax Camera Ordexia");
        EXPECT_TRUE(Part<TSCLBack>(form, "Back")->Enabled());
        EXPECT_FALSE(Part<TSCLFormStyler>(form, "Styler")->Enabled());
        UpdateWindow(form->Handle());
        const QImage image = Window_Widget(form->Handle())->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (qEnvironmentVariableIsSet("CONTROLS_RENDER"))
            image.save(qEnvironmentVariable("CONTROLS_RENDER"));
        // The tiled picture shows between the texts (a point left of the name).
        EXPECT_EQ(image.pixel(3, 150), Rgb_Of(Pattern_Color(3, 150 % 64)));
        const RECT area = SCLDlgGetTargetRect(brScreenWorkArea);
        const RECT box = form->BoundsRect();
        EXPECT_EQ(box.left, area.left + (area.right - area.left - (box.right - box.left)) / 2) << "centred";
    });
    SCLContainer->BitmapList()->Clear();
}

} // namespace
