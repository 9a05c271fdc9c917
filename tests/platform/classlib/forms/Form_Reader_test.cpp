#include "tests/platform/classlib/forms/Test_Classes.h"

#include "platform/classlib/Published_Properties.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace forms_test;

namespace {

// A form without a resource of its own, into which the tests read texts.
class TForm_Blank : public TForm {
public:
    explicit TForm_Blank(TComponent* AOwner) : TForm(AOwner) { Register_Test_Classes(); }

    static const TForm_Table& Table()
    {
        static const TForm_Table table = TForm_Table().Handler("Clicked", &TForm_Blank::Clicked);
        return table;
    }
    void Clicked(TObject*) {}
};

std::string Read_Error(const std::string& text, const TForm_Table& table = TForm_Blank::Table())
{
    auto form = std::make_unique<TForm_Blank>(nullptr);
    try {
        ReadComponentText(text, "TForm_Blank", form.get(), table);
    } catch (const EReadError& error) {
        return error.Message;
    }
    return "no error";
}

std::string Panel_Text(const std::string& line)
{
    return "object Form_Blank: TForm_Blank\n"
           "  object Panel1: TTest_Panel\n"
           "    " + line + "\n"
           "  end\n"
           "end\n";
}

void Click(TControl* control)
{
    control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    control->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

} // namespace

TEST(Form_Reader, BuildsTheFormFromItsResourceWithPropertiesAndDefaults)
{
    auto form = std::make_unique<TForm_Test>(nullptr);
    EXPECT_EQ(form->Name(), "Form_Test");
    EXPECT_EQ(form->Caption(), "Form \xE2\x80\x93 test");
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(form->Color(), clSilver);
    EXPECT_EQ(form->Position(), poScreenCenter);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(form->Font()->Name(), "Arial");
    EXPECT_EQ(form->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_EQ(form->WindowState(), wsNormal);

    for (TComponent* field : std::initializer_list<TComponent*>{form->PanelOuter, form->PanelInner, form->Memo1,
                                                                form->Probe1, form->PopupMain, form->MenuCopy,
                                                                form->MenuSmall, form->MenuLarge}) {
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->Owner(), form.get()) << field->Name();
    }
    EXPECT_EQ(form->PanelOuter->Parent(), form.get());
    EXPECT_EQ(form->PanelOuter->Align(), alClient);
    EXPECT_EQ(form->PanelOuter->BevelOuter(), bvLowered);
    EXPECT_EQ(form->PanelOuter->BevelInner(), bvNone);
    EXPECT_EQ(form->PanelInner->Parent(), form->PanelOuter);
    EXPECT_EQ(form->PanelInner->BoundsRect(), (RECT{10, 12, 210, 172}));
    EXPECT_EQ(form->PanelInner->Hint(), "Inner\r\npanel");
    EXPECT_TRUE(form->PanelInner->ShowHint());
    EXPECT_EQ(form->PanelInner->Tag(), 7);
    EXPECT_EQ(form->PanelInner->PopupMenu(), form->PopupMain);
    // What the resource leaves out keeps the class's default, or follows
    // the parent once loaded.
    EXPECT_TRUE(form->PanelInner->Visible());
    EXPECT_TRUE(form->PanelInner->Enabled());
    EXPECT_EQ(form->PanelInner->Align(), alNone);
    EXPECT_EQ(form->PanelInner->Cursor(), crDefault);
    EXPECT_EQ(form->PanelInner->Color(), clNavy);
    EXPECT_EQ(form->PanelInner->Font()->Name(), "Arial");

    EXPECT_EQ(form->Memo1->Parent(), form->PanelInner);
    EXPECT_EQ(form->Memo1->Lines()->Text(), "first line\r\nsecond\r\n");
    EXPECT_TRUE(form->Memo1->ReadOnly());
    EXPECT_EQ(form->Memo1->ScrollBars(), ssVertical);
    EXPECT_TRUE(form->Memo1->WordWrap());
    EXPECT_EQ(form->Memo1->Color(), clWindow);
    EXPECT_EQ(form->Memo1->PopupMenu(), form->PopupMain);

    EXPECT_EQ(form->PopupMain->Alignment(), paRight);
    EXPECT_TRUE(form->PopupMain->AutoPopup());
    TMenuItem* items = form->PopupMain->Items();
    ASSERT_EQ(items->Count(), 2);
    EXPECT_EQ(items->Items(0), form->MenuCopy);
    EXPECT_EQ(form->MenuCopy->Caption(), "&Copy");
    EXPECT_EQ(form->MenuCopy->ShortCut(), ShortCut('C', false, true, false));
    TMenuItem* view = items->Items(1);
    EXPECT_EQ(view->Name(), "MenuView");
    ASSERT_EQ(view->Count(), 2);
    EXPECT_EQ(view->Items(0), form->MenuSmall);
    EXPECT_EQ(view->Items(1), form->MenuLarge);
    EXPECT_TRUE(form->MenuSmall->Checked());
    EXPECT_TRUE(form->MenuSmall->RadioItem());
    EXPECT_EQ(form->MenuSmall->GroupIndex(), 1);
    EXPECT_FALSE(form->MenuLarge->Checked());
    EXPECT_TRUE(form->MenuLarge->Enabled());
    EXPECT_TRUE(form->MenuLarge->Visible());

    const TProbe& probe = *form->Probe1;
    EXPECT_EQ(probe.Count, -12);
    EXPECT_DOUBLE_EQ(probe.Ratio, 0.25);
    EXPECT_EQ(probe.Text, "It's");
    EXPECT_EQ(probe.Mode, pmThird);
    EXPECT_EQ(probe.Modes, (TSet<TProbe_Mode>{pmFirst, pmThird}));
    EXPECT_EQ(probe.Shade, TColor{0x00FF8000});
    EXPECT_EQ(probe.Lines.Text(), "one\r\ntwo\r\n");
    ASSERT_EQ(probe.Items.size(), 2u);
    EXPECT_EQ(probe.Items[0]->Caption, "A");
    EXPECT_EQ(probe.Items[0]->Value, 1);
    EXPECT_EQ(probe.Items[1]->Value, 0);
    EXPECT_EQ(probe.Buddy, form->PanelInner);
    EXPECT_EQ(probe.Internal, "SCLIML30");
    EXPECT_EQ(probe.Data, (std::vector<unsigned char>{1, 2, 0xFF}));
    EXPECT_FALSE(probe.Flag);
}

TEST(Form_Reader, LoadedRunsOnceForEachComponentAfterTheWholeTree)
{
    auto form = std::make_unique<TForm_Test>(nullptr);
    EXPECT_EQ(form->PanelInner->Loaded_Count, 1);
    EXPECT_TRUE(form->PanelInner->Loading_Before);
    // The panel saw its child and the menu read after it; the probe its buddy.
    EXPECT_EQ(form->PanelInner->Controls_At_Loaded, 1);
    EXPECT_TRUE(form->PanelInner->Popup_At_Loaded);
    EXPECT_EQ(form->Probe1->Loaded_Count, 1);
    EXPECT_TRUE(form->Probe1->Buddy_At_Loaded);
    for (int i = 0; i < form->ComponentCount(); ++i) {
        EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csLoading)) << form->Components(i)->Name();
        EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csReading)) << form->Components(i)->Name();
    }
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
}

TEST(Form_Reader, AlignedControlsFollowTheClientTheFormWasReadWith)
{
    // Laid out at design for a smaller client (a frame that this window
    // does not have): once read, the aligned controls fill the form's own.
    auto form = std::make_unique<TForm_Blank>(nullptr);
    ReadComponentText("object Form_Blank: TForm_Blank\n"
                      "  Width = 300\n"
                      "  Height = 200\n"
                      "  BorderStyle = bsNone\n"
                      "  object Panel1: TTest_Panel\n"
                      "    Left = 0\n    Top = 0\n    Width = 292\n    Height = 30\n"
                      "    Align = alTop\n"
                      "  end\n"
                      "  object Panel2: TTest_Panel\n"
                      "    Left = 0\n    Top = 30\n    Width = 292\n    Height = 143\n"
                      "    Align = alClient\n"
                      "  end\n"
                      "end\n",
                      "TForm_Blank", form.get(), TForm_Blank::Table());
    ASSERT_EQ(form->ClientWidth(), 300);
    ASSERT_EQ(form->ClientHeight(), 200);
    auto* top = dynamic_cast<TControl*>(form->FindComponent("Panel1"));
    auto* client = dynamic_cast<TControl*>(form->FindComponent("Panel2"));
    ASSERT_TRUE(top && client);
    EXPECT_EQ(top->Width(), 300);
    EXPECT_EQ(top->Height(), 30);
    EXPECT_EQ(client->Top(), 30);
    EXPECT_EQ(client->Width(), 300);
    EXPECT_EQ(client->Height(), 170);
}

TEST(Form_Reader, EventsCallTheFormsHandlersByName)
{
    auto form = std::make_unique<TForm_Test>(nullptr);
    form->Show();
    Click(form->PanelInner);
    form->Probe1->OnChange(form->Probe1);
    form->PopupMain->OnPopup(form->PopupMain);
    form->MenuCopy->Click();
    form->MenuLarge->Click();
    form->Close();
    EXPECT_EQ(form->Calls, (std::vector<std::string>{"click PanelInner", "change", "popup", "menu MenuCopy",
                                                     "menu MenuLarge", "close"}));
    EXPECT_FALSE(form->Visible());
}

TEST(Form_Reader, ASecondFormOfTheSameClassTakesANameOfItsOwn)
{
    TComponent owner(nullptr);
    auto* first = new TForm_Test(&owner);
    auto* second = new TForm_Test(&owner);
    EXPECT_EQ(first->Name(), "Form_Test");
    EXPECT_EQ(second->Name(), "Form_Test_1");
    EXPECT_EQ(second->Probe1->Buddy, second->PanelInner);
    EXPECT_EQ(second->PanelInner->PopupMenu(), second->PopupMain);
}

TEST(Form_Reader, FaultsNameTheFormComponentAndProperty)
{
    struct Case {
        std::string text;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {Panel_Text("Bogus = 1"),
         {"TForm_Blank", "form Form_Blank", "component Panel1", "property Bogus", "does not exist"}},
        {Panel_Text("Width = 'wide'"), {"component Panel1", "property Width", "a string where an integer"}},
        {Panel_Text("Visible = 1"), {"property Visible", "True or False"}},
        {Panel_Text("Align = alMiddle"), {"property Align", "'alMiddle'"}},
        {Panel_Text("Color = Navy"), {"property Color", "a colour"}},
        {Panel_Text("Font.Colour = clRed"), {"property Font.Colour", "Colour does not exist"}},
        {Panel_Text("Font = 1"), {"property Font", "is an object"}},
        {Panel_Text("Hint.Text = 'x'"), {"property Hint.Text", "no properties of its own"}},
        {Panel_Text("Font.Charset = 300"), {"property Font.Charset", "out of range"}},
        {Panel_Text("Font.Style = [fsBold, fsWide]"), {"property Font.Style", "'fsWide'"}},
        {Panel_Text("Left = 4294967296"), {"property Left", "out of range"}},
        {Panel_Text("OnClick = Nowhere"), {"component Panel1", "property OnClick", "no handler Nowhere"}},
        {Panel_Text("OnKeyDown = Clicked"), {"property OnKeyDown", "Clicked does not fit"}},
        {Panel_Text("OnClick = 'Clicked'"), {"property OnClick", "handler name expected"}},
        {Panel_Text("PopupMenu = Ghost"), {"component Panel1", "property PopupMenu", "Ghost not found"}},
        {"object Form_Blank: TForm_Blank\n  Colour = clRed\nend\n", {"component Form_Blank", "property Colour"}},
        {"object Form_Blank: TForm_Blank\n  object Panel1: TNoSuch\n  end\nend\n",
         {"component Panel1", "class TNoSuch not found"}},
        {"object Form_Blank: TForm_Blank\n  object Panel1: TControl\n  end\nend\n",
         {"component Panel1", "cannot be created"}},
        {"object Form_Blank: TForm_Blank\n  object Probe1: TProbe\n    object Panel1: TTest_Panel\n    end\n  end\nend\n",
         {"component Panel1", "cannot be placed on Probe1"}},
        {"object Form_Blank: TForm_Blank\n  object 1: TProbe\n  end\nend\n",
         {"TForm_Blank line 2: identifier expected"}},
        {"object Form_Blank: TForm_Blank\n  inherited Panel1: TTest_Panel\n  end\nend\n",
         {"component Panel1", "no inherited"}},
        {"object Other: TForm_Other\nend\n", {"describes a TForm_Other"}},
        {"object Form_Blank: TForm_Blank\n  object Probe1: TProbe\n    Data = 'x'\n  end\nend\n",
         {"component Probe1", "property Data", "binary data expected"}},
        {"object Form_Blank: TForm_Blank\n  object Probe1: TProbe\n    Items = <item Colour = 1 end>\n  end\nend\n",
         {"component Probe1", "property Colour"}},
    };
    for (const Case& c : cases) {
        std::string message;
        try {
            message = Read_Error(c.text);
        } catch (const EParserError& error) {
            message = error.Message;
        }
        for (const char* part : c.expected)
            EXPECT_NE(message.find(part), std::string::npos) << message;
    }
}

TEST(Form_Reader, AFieldWithoutItsComponentOrOfAnotherClassFails)
{
    class TForm_Fields : public TForm_Blank {
    public:
        using TForm_Blank::TForm_Blank;
        TTest_Panel* Panel1 = nullptr;
        TTest_Panel* Probe1 = nullptr;
    };
    const TForm_Table missing = TForm_Table().Field("Panel1", &TForm_Fields::Panel1);
    const TForm_Table wrong = TForm_Table().Field("Probe1", &TForm_Fields::Probe1);
    const std::string text = "object Form_Fields: TForm_Fields\n  object Probe1: TProbe\n  end\nend\n";
    for (const auto& [table, expected] : {std::pair{&missing, "no component for its field Panel1"},
                                          std::pair{&wrong, "Probe1 is a TProbe, which does not fit"}}) {
        TForm_Fields form(nullptr);
        try {
            ReadComponentText(text, "TForm_Fields", &form, *table);
            ADD_FAILURE() << expected;
        } catch (const EReadError& error) {
            EXPECT_NE(error.Message.find(expected), std::string::npos) << error.Message;
        }
    }
}

TEST(Form_Reader, AFormWithoutItsResourceFailsAtConstruction)
{
    TForm_Blank form(nullptr);
    try {
        InitInheritedComponent(&form, TForm_Blank::Table());
        ADD_FAILURE();
    } catch (const EResNotFound& error) {
        EXPECT_EQ(error.Message, "Resource TForm_Blank not found");
    }
    // Resource names are found whatever their case.
    EXPECT_NE(Form_Resource_Text("TFORM_TEST").find("object Form_Test"), std::string::npos);
}
