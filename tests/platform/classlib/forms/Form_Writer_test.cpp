#include "tests/platform/classlib/forms/Test_Classes.h"

#include "platform/classlib/Published_Properties.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace forms_test;

namespace {

// The names of the properties the text's root object stores.
std::vector<std::string> Stored_Names(const std::string& text)
{
    std::vector<std::string> names;
    for (const TFormProperty& property : Parse_Form_Text(text, "written").Properties)
        names.push_back(property.Name);
    return names;
}

template <class C>
std::unique_ptr<C> Read_Back(const std::string& text)
{
    std::unique_ptr<TComponent> component(CreateComponentFromText(text, "written", nullptr));
    auto* typed = dynamic_cast<C*>(component.get());
    EXPECT_NE(typed, nullptr);
    component.release();
    return std::unique_ptr<C>(typed);
}

} // namespace

TEST(Form_Writer, AFreshComponentStoresNoneOfItsDefaults)
{
    Register_Test_Classes();
    const std::vector<std::string> bounds{"Left", "Top", "Width", "Height"};
    TForm form(nullptr);
    EXPECT_EQ(Stored_Names(WriteComponentText(&form)), bounds);
    TTest_Panel panel(nullptr);
    EXPECT_EQ(Stored_Names(WriteComponentText(&panel)), bounds);
    TProbe probe(nullptr);
    EXPECT_EQ(WriteComponentText(&probe), "object TProbe\nend\n");
    // The class library's own classes, created by name as the reader does.
    for (const char* name : {"TPanel", "TMemo", "TLabel", "TButton", "TEdit", "TComboBox", "TBevel", "TImage"}) {
        std::unique_ptr<TComponent> control(FindClass(name)->Create(nullptr));
        EXPECT_EQ(Stored_Names(WriteComponentText(control.get())), bounds) << name;
    }
    for (const char* name : {"TPopupMenu", "TMenuItem", "TSaveDialog"}) {
        std::unique_ptr<TComponent> component(FindClass(name)->Create(nullptr));
        EXPECT_EQ(WriteComponentText(component.get()), std::string("object ") + name + "\nend\n");
    }
}

TEST(Form_Writer, PublishedPropertiesSurviveWritingAndReadingBack)
{
    Register_Test_Classes();
    TProbe probe(nullptr);
    probe.SetName("Probe1");
    probe.SetTag(-5);
    probe.Count = INT32_MIN;
    probe.Flag = true;
    probe.Ratio = -0.1;
    probe.Text = std::string("It's\t\"odd\"\r\n\xC2\xB0\xE2\x80\x93 \xFF end", 24);
    probe.Mode = pmSecond;
    probe.Modes = {pmSecond, pmThird};
    probe.Shade = 0x00123456;
    probe.Lines.Add("");
    probe.Lines.Add("a 'quoted' line");
    probe.Items.push_back(std::make_unique<TProbe_Item>());
    probe.Items.back()->Caption = "first";
    probe.Items.push_back(std::make_unique<TProbe_Item>());
    probe.Items.back()->Value = 42;
    probe.Buddy = &probe;
    probe.Internal = "SCLBML30";
    for (int i = 0; i < 256; ++i)
        probe.Data.push_back(static_cast<unsigned char>(i));

    const std::string text = WriteComponentText(&probe);
    const auto copy = Read_Back<TProbe>(text);
    EXPECT_EQ(copy->Name(), "Probe1");
    EXPECT_EQ(copy->Tag(), -5);
    EXPECT_EQ(copy->Count, INT32_MIN);
    EXPECT_TRUE(copy->Flag);
    EXPECT_DOUBLE_EQ(copy->Ratio, -0.1);
    EXPECT_EQ(copy->Text, probe.Text);
    EXPECT_EQ(copy->Mode, pmSecond);
    EXPECT_EQ(copy->Modes, probe.Modes);
    EXPECT_EQ(copy->Shade, probe.Shade);
    EXPECT_EQ(copy->Lines.Text(), probe.Lines.Text());
    ASSERT_EQ(copy->Items.size(), 2u);
    EXPECT_EQ(copy->Items[0]->Caption, "first");
    EXPECT_EQ(copy->Items[1]->Value, 42);
    EXPECT_EQ(copy->Buddy, copy.get());
    EXPECT_EQ(copy->Internal, "SCLBML30");
    EXPECT_EQ(copy->Data, probe.Data);
    EXPECT_EQ(WriteComponentText(copy.get()), text);
}

TEST(Form_Writer, ControlsFontsAndFormsSurviveWritingAndReadingBack)
{
    Register_Test_Classes();
    TForm form(nullptr);
    form.SetName("Form1");
    form.SetBorderStyle(bsDialog);
    form.SetBorderIcons({biSystemMenu});
    form.SetPosition(poDesktopCenter);
    form.SetColor(clRed);
    auto* panel = new TTest_Panel(&form);
    panel->SetName("Panel1");
    panel->SetParent(&form);
    panel->SetBounds(3, 4, 30, 40);
    panel->SetAlign(alTop);
    panel->SetCursor(crHandPoint);
    panel->SetParentFont(false);
    panel->Font()->SetName("Tahoma");
    panel->Font()->SetStyle({fsItalic, fsUnderline});
    panel->Font()->SetColor(0x00010203);
    auto* probe = new TProbe(&form);
    probe->SetName("Probe1");
    probe->Buddy = panel;
    panel->SetPopupMenu(probe);

    const std::string text = WriteComponentText(&form);
    EXPECT_NE(text.find("    Font.Style = [fsItalic, fsUnderline]\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Cursor = crHandPoint\n"), std::string::npos) << text;
    const auto copy = Read_Back<TForm>(text);
    auto* panel_copy = dynamic_cast<TTest_Panel*>(copy->FindComponent("Panel1"));
    ASSERT_NE(panel_copy, nullptr);
    EXPECT_EQ(panel_copy->Parent(), copy.get());
    EXPECT_EQ(panel_copy->Font()->Name(), "Tahoma");
    EXPECT_EQ(panel_copy->PopupMenu(), copy->FindComponent("Probe1"));
    EXPECT_EQ(copy->BorderIcons(), TBorderIcons{biSystemMenu});
    EXPECT_EQ(WriteComponentText(copy.get()), text);
}

TEST(Form_Writer, EventsAreWrittenByTheNamesOfTheFormsHandlers)
{
    TForm_Test form(nullptr);
    const std::string text = WriteComponentText(&form, TForm_Test::Table());
    EXPECT_NE(text.find("  OnClose = FormClose\n"), std::string::npos) << text;
    EXPECT_NE(text.find("      OnClick = PanelInnerClick\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    OnChange = ProbeChange\n"), std::string::npos) << text;
    // A handler set in code, not from the table, has no name to store.
    form.PanelOuter->OnClick = [](TObject*) {};
    EXPECT_EQ(WriteComponentText(&form, TForm_Test::Table()), text);
    // Another form's handlers are not this form's.
    TForm_Test other(nullptr);
    other.PanelInner->OnClick = form.PanelInner->OnClick;
    EXPECT_EQ(WriteComponentText(&other, TForm_Test::Table()).find("PanelInnerClick"), std::string::npos);
}
