#include "platform/classlib/Dialogs.h"
#include "platform/classlib/ExtCtrls_Controls.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Forms_ScrollBox.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Resources.h"
#include "platform/classlib/StdCtrls_Published.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A form without a resource of its own, into which the tests read texts.
class TForm_Blank : public TForm {
public:
    explicit TForm_Blank(TComponent* AOwner) : TForm(AOwner) { Register_Standard_Controls(); }

    static const TForm_Table& Table()
    {
        static const TForm_Table table = TForm_Table()
                                             .Field("MemoStatus", &TForm_Blank::MemoStatus)
                                             .Handler("MemoKeyDown", &TForm_Blank::MemoKeyDown)
                                             .Handler("MenuPopup", &TForm_Blank::MenuPopup)
                                             .Handler("MenuClick", &TForm_Blank::MenuClick);
        return table;
    }

    TMemo* MemoStatus = nullptr;
    int Keys = 0;
    int Popups = 0;
    int Clicks = 0;
    void MemoKeyDown(TObject*, WORD&, TShiftState) { ++Keys; }
    void MenuPopup(TObject*) { ++Popups; }
    void MenuClick(TObject*) { ++Clicks; }
};

const char* const form_text = R"(object Form_Blank: TForm_Blank
  object PanelStatus: TPanel
    Left = 4
    Top = 4
    Width = 200
    Height = 150
    BevelOuter = bvLowered
    object MemoStatus: TMemo
      Left = 8
      Top = 15
      Width = 114
      Height = 126
      Color = clSilver
      Lines.Strings = (
        'first'
        'second')
      PopupMenu = PopupMenuMemoStatus
      ReadOnly = True
      ScrollBars = ssVertical
      WordWrap = False
      OnKeyDown = MemoKeyDown
    end
    object LabelVQOS: TLabel
      Left = 130
      Top = 20
      Alignment = taRightJustify
      Caption = 'Video QOS'
    end
  end
  object ButtonOK: TButton
    Left = 150
    Top = 160
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
  end
  object ComboBoxTuner: TComboBox
    Left = 8
    Top = 160
    Style = csDropDownList
    ItemHeight = 15
    Items.Strings = (
      'Tuners average'
      'Tuner 1')
  end
  object ImageLogo: TImage
    Left = 220
    Top = 8
    Picture.Data = {
      07544269746D61704E000000424D4E0000000000000036000000280000000300
      000002000000010018000000000018000000130B0000130B0000000000000000
      0000FFFFFF0000008080800000000000FF00FF00FF0000000000}
  end
  object ScrollBoxSpare: TScrollBox
    Left = 220
    Top = 100
    BorderStyle = bsNone
    VertScrollBar.Increment = 16
  end
  object PopupMenuMemoStatus: TPopupMenu
    Alignment = paCenter
    OnPopup = MenuPopup
    object MenuCom: TMenuItem
      Caption = '&Serial port'
      object MenuCom1: TMenuItem
        Tag = 1
        Caption = 'Com1'
        RadioItem = True
        OnClick = MenuClick
      end
    end
    object ClearMemoAllMessages: TMenuItem
      Caption = 'Clear all messages'
      ShortCut = 46
    end
  end
  object SaveDialogFichierStatus: TSaveDialog
    Options = [ofOverwritePrompt, ofHideReadOnly, ofEnableSizing]
  end
end
)";

template <class T>
T* Find(TComponent* form, const char* name)
{
    return dynamic_cast<T*>(form->FindComponent(name));
}

void Expect_Form(TForm_Blank* form)
{
    auto* panel = Find<TPanel>(form, "PanelStatus");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->BevelOuter(), bvLowered);
    EXPECT_EQ(panel->Color(), clBtnFace) << "the panel's default colour";
    TMemo* memo = form->MemoStatus;
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Parent(), panel);
    EXPECT_EQ(memo->Color(), clSilver);
    EXPECT_EQ(memo->Lines()->Text(), "first\r\nsecond\r\n");
    EXPECT_TRUE(memo->ReadOnly());
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_TRUE(memo->TabStop());
    auto* popup = Find<TPopupMenu>(form, "PopupMenuMemoStatus");
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(memo->PopupMenu(), popup);
    EXPECT_EQ(popup->Alignment(), paCenter);
    ASSERT_EQ(popup->Items()->Count(), 2);
    TMenuItem* com = popup->Items()->Items(0);
    ASSERT_EQ(com->Count(), 1);
    EXPECT_EQ(com->Items(0)->Tag(), 1);
    EXPECT_TRUE(com->Items(0)->RadioItem());
    EXPECT_EQ(popup->Items()->Items(1)->ShortCut(), VK_DELETE);
    EXPECT_EQ(Find<TLabel>(form, "LabelVQOS")->Alignment(), taRightJustify);
    auto* button = Find<TButton>(form, "ButtonOK");
    EXPECT_EQ(button->ModalResult(), mrOk);
    EXPECT_TRUE(button->Default());
    auto* combo = Find<TComboBox>(form, "ComboBoxTuner");
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->ItemHeight(), 15);
    EXPECT_EQ(combo->Items()->Count(), 2);
    auto* image = Find<TImage>(form, "ImageLogo");
    ASSERT_NE(image->Picture()->Graphic(), nullptr);
    EXPECT_EQ(image->Picture()->Width(), 3);
    EXPECT_EQ(image->Picture()->Height(), 2);
    auto* scroll_box = Find<TScrollBox>(form, "ScrollBoxSpare");
    EXPECT_EQ(scroll_box->BorderStyle(), bsNone);
    EXPECT_EQ(scroll_box->VertScrollBar()->Increment(), 16);
    EXPECT_TRUE(scroll_box->AutoScroll());
    EXPECT_EQ(Find<TSaveDialog>(form, "SaveDialogFichierStatus")->Options(),
              (TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofEnableSizing}));

    com->Items(0)->Click();
    EXPECT_EQ(form->Clicks, 1);
    popup->OnPopup(popup);
    EXPECT_EQ(form->Popups, 1);
    WORD key = VK_DELETE;
    memo->OnKeyDown(memo, key, TShiftState{});
    EXPECT_EQ(form->Keys, 1);
}

} // namespace

TEST(Published, FormsPlaceTheStandardControlsMenusAndDialogs)
{
    auto form = std::make_unique<TForm_Blank>(nullptr);
    ReadComponentText(form_text, "TForm_Blank", form.get(), TForm_Blank::Table());
    Expect_Form(form.get());
}

TEST(Published, TheWriterStoresWhatTheReaderReadsBack)
{
    auto form = std::make_unique<TForm_Blank>(nullptr);
    ReadComponentText(form_text, "TForm_Blank", form.get(), TForm_Blank::Table());
    const std::string written = WriteComponentText(form.get(), TForm_Blank::Table());
    auto again = std::make_unique<TForm_Blank>(nullptr);
    ReadComponentText(written, "TForm_Blank", again.get(), TForm_Blank::Table());
    Expect_Form(again.get());
    EXPECT_EQ(WriteComponentText(again.get(), TForm_Blank::Table()), written);
    EXPECT_EQ(written.find("TabStop"), std::string::npos) << "defaults are not written";
}

TEST(Published, AWrongValueNamesTheComponentAndProperty)
{
    const std::string text = "object Form_Blank: TForm_Blank\n"
                             "  object MemoStatus: TMemo\n"
                             "    ScrollBars = ssDiagonal\n"
                             "  end\n"
                             "end\n";
    auto form = std::make_unique<TForm_Blank>(nullptr);
    try {
        ReadComponentText(text, "TForm_Blank", form.get(), TForm_Blank::Table());
        FAIL() << "read without error";
    } catch (const EReadError& error) {
        EXPECT_NE(error.Message.find("MemoStatus"), std::string::npos) << error.Message;
        EXPECT_NE(error.Message.find("ScrollBars"), std::string::npos) << error.Message;
    }
}
