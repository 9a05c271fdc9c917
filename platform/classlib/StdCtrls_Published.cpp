#include "platform/classlib/StdCtrls_Published.h"

#include <mutex>

#include "platform/classlib/Dialogs.h"
#include "platform/classlib/ExtCtrls_Controls.h"
#include "platform/classlib/Forms_ScrollBox.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Published_Properties.h"

namespace {

const TIdent_Value modal_result_idents[] = {
    {"mrNone", mrNone}, {"mrOk", mrOk},         {"mrCancel", mrCancel}, {"mrAbort", mrAbort},
    {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore}, {"mrYes", mrYes},       {"mrNo", mrNo},
};

// The editors keep their own colour rather than their parent's.
template <class C>
void Own_Color(TClass_Builder<C>& builder, TColor color)
{
    builder.Property("Color", Color_Type(), &C::Color, &C::SetColor, color)
        .Stored_If([](C& control) { return !control.ParentColor(); })
        .Property("ParentColor", Boolean_Type(), &C::ParentColor, &C::SetParentColor, false);
}

void Register_Label()
{
    RegisterClass<TCustomLabel, TGraphicControl>("TCustomLabel")
        .Property("Alignment", Enum_Type<TAlignment>(Alignment_Names), &TCustomLabel::Alignment,
                  &TCustomLabel::SetAlignment, taLeftJustify)
        .Property("AutoSize", Boolean_Type(), &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
        .Property("Layout", Enum_Type<TTextLayout>(Text_Layout_Names), &TCustomLabel::Layout,
                  &TCustomLabel::SetLayout, tlTop)
        .Property("WordWrap", Boolean_Type(), &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false)
        .Property("Transparent", Boolean_Type(), &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
        .Property("ShowAccelChar", Boolean_Type(), &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar,
                  true)
        .Component<TWinControl>("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
    RegisterComponentClass<TLabel, TCustomLabel>("TLabel");
}

void Register_Widget_Controls()
{
    RegisterClass<TWidget_Control, TWinControl>("TWidget_Control")
        .Property("TabStop", Boolean_Type(), &TWidget_Control::TabStop, &TWidget_Control::SetTabStop, true);
    RegisterComponentClass<TButton, TWidget_Control>("TButton")
        .Property("ModalResult", Ident_Integer_Type(modal_result_idents), &TButton::ModalResult,
                  &TButton::SetModalResult, mrNone)
        .Property("Default", Boolean_Type(), &TButton::Default, &TButton::SetDefault, false)
        .Property("Cancel", Boolean_Type(), &TButton::Cancel, &TButton::SetCancel, false);

    auto edit = RegisterClass<TCustomEdit, TWidget_Control>("TCustomEdit");
    Own_Color(edit, clWindow);
    edit.Property("Text", String_Type(), &TCustomEdit::Text, &TCustomEdit::SetText, "")
        .Property("ReadOnly", Boolean_Type(), &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
        .Property("MaxLength", Integer_Type(0), &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
        .Event("OnChange", &TCustomEdit::OnChange);
    RegisterComponentClass<TEdit, TCustomEdit>("TEdit");

    auto memo = RegisterClass<TCustomMemo, TWidget_Control>("TCustomMemo");
    Own_Color(memo, clWindow);
    memo.Object("Lines", &TCustomMemo::Lines)
        .Property("ReadOnly", Boolean_Type(), &TCustomMemo::ReadOnly, &TCustomMemo::SetReadOnly, false)
        .Property("ScrollBars", Enum_Type<TScrollStyle>(Scroll_Style_Names), &TCustomMemo::ScrollBars,
                  &TCustomMemo::SetScrollBars, ssNone)
        .Property("WordWrap", Boolean_Type(), &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, true)
        .Event("OnChange", &TCustomMemo::OnChange);
    RegisterComponentClass<TMemo, TCustomMemo>("TMemo");

    auto combo = RegisterClass<TCustomComboBox, TWidget_Control>("TCustomComboBox");
    Own_Color(combo, clWindow);
    combo.Property("Style", Enum_Type<TComboBoxStyle>(Combo_Box_Style_Names), &TCustomComboBox::Style,
                   &TCustomComboBox::SetStyle, csDropDown)
        .Property("DropDownCount", Integer_Type(1), &TCustomComboBox::DropDownCount,
                  &TCustomComboBox::SetDropDownCount, 8)
        .Property("ItemHeight", Integer_Type(1), &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight, 16)
        .Property("Sorted", Boolean_Type(), &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted, false)
        .Property("MaxLength", Integer_Type(0), &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength, 0)
        .Object("Items", &TCustomComboBox::Items)
        .Property("Text", String_Type(), &TCustomComboBox::Text, &TCustomComboBox::SetText, "")
        .Event("OnChange", &TCustomComboBox::OnChange)
        .Event("OnDrawItem", &TCustomComboBox::OnDrawItem)
        .Event("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
    RegisterComponentClass<TComboBox, TCustomComboBox>("TComboBox");
}

void Register_Ext_Controls()
{
    auto panel = RegisterClass<TCustomPanel, TCustomControl>("TCustomPanel");
    Own_Color(panel, clBtnFace);
    panel
        .Property("BevelOuter", Enum_Type<TPanelBevel>(Panel_Bevel_Names), &TCustomPanel::BevelOuter,
                  &TCustomPanel::SetBevelOuter, bvRaised)
        .Property("BevelInner", Enum_Type<TPanelBevel>(Panel_Bevel_Names), &TCustomPanel::BevelInner,
                  &TCustomPanel::SetBevelInner, bvNone)
        .Property("BevelWidth", Integer_Type(1), &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
        .Property("BorderWidth", Integer_Type(0), &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth, 0)
        .Property("BorderStyle", Enum_Type<TBorderStyle>(Form_Border_Style_Names), &TCustomPanel::BorderStyle,
                  &TCustomPanel::SetBorderStyle, bsNone)
        .Property("Alignment", Enum_Type<TAlignment>(Alignment_Names), &TCustomPanel::Alignment,
                  &TCustomPanel::SetAlignment, taCenter);
    RegisterComponentClass<TPanel, TCustomPanel>("TPanel");

    RegisterComponentClass<TBevel, TGraphicControl>("TBevel")
        .Property("Shape", Enum_Type<TBevelShape>(Bevel_Shape_Names), &TBevel::Shape, &TBevel::SetShape, bsBox)
        .Property("Style", Enum_Type<TBevelStyle>(Bevel_Style_Names), &TBevel::Style, &TBevel::SetStyle,
                  bsLowered);

    RegisterClass<TPicture>("TPicture").DefineProperties([](TPicture& picture, TFiler& filer) {
        filer.DefineBinaryProperty(
            "Data", [&picture](TStream& stream) { picture.ReadData(stream); },
            [&picture](TStream& stream) { picture.WriteData(stream); }, picture.Graphic() != nullptr);
    });
    RegisterComponentClass<TImage, TGraphicControl>("TImage")
        .Object("Picture", &TImage::Picture)
        .Property("Stretch", Boolean_Type(), &TImage::Stretch, &TImage::SetStretch, false)
        .Property("Center", Boolean_Type(), &TImage::Center, &TImage::SetCenter, false)
        .Property("Transparent", Boolean_Type(), &TImage::Transparent, &TImage::SetTransparent, false)
        .Property("AutoSize", Boolean_Type(), &TImage::AutoSize, &TImage::SetAutoSize, false);
}

void Register_Scroll_Box()
{
    RegisterClass<TControlScrollBar>("TControlScrollBar")
        .Property("Increment", Integer_Type(1), &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement, 8)
        .Property("Range", Integer_Type(0), &TControlScrollBar::Range, &TControlScrollBar::SetRange, 0)
        .Property("Position", Integer_Type(0), &TControlScrollBar::Position, &TControlScrollBar::SetPosition, 0)
        .Property("Visible", Boolean_Type(), &TControlScrollBar::Visible, &TControlScrollBar::SetVisible, true);
    RegisterClass<TScrollingWinControl, TWinControl>("TScrollingWinControl")
        .Object("HorzScrollBar", &TScrollingWinControl::HorzScrollBar)
        .Object("VertScrollBar", &TScrollingWinControl::VertScrollBar)
        .Property("AutoScroll", Boolean_Type(), &TScrollingWinControl::AutoScroll,
                  &TScrollingWinControl::SetAutoScroll, true);
    RegisterComponentClass<TScrollBox, TScrollingWinControl>("TScrollBox")
        .Property("BorderStyle", Enum_Type<TBorderStyle>(Form_Border_Style_Names), &TScrollBox::BorderStyle,
                  &TScrollBox::SetBorderStyle, bsSingle);
}

std::vector<TComponent*> Sub_Items(TMenuItem* item)
{
    std::vector<TComponent*> items;
    for (int index = 0; index < item->Count(); ++index)
        items.push_back(item->Items(index));
    return items;
}

void Register_Menus()
{
    RegisterClass<TMenu, TComponent>("TMenu").Children_Rule([](TMenu& menu) { return Sub_Items(menu.Items()); });
    RegisterComponentClass<TPopupMenu, TMenu>("TPopupMenu")
        .Property("Alignment", Enum_Type<TPopupAlignment>(Popup_Alignment_Names), &TPopupMenu::Alignment,
                  &TPopupMenu::SetAlignment, paLeft)
        .Property("AutoPopup", Boolean_Type(), &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
        .Event("OnPopup", &TPopupMenu::OnPopup);
    RegisterComponentClass<TMenuItem, TComponent>("TMenuItem")
        .Property("Caption", String_Type(), &TMenuItem::Caption, &TMenuItem::SetCaption, "")
        .Property("Checked", Boolean_Type(), &TMenuItem::Checked, &TMenuItem::SetChecked, false)
        .Property("RadioItem", Boolean_Type(), &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
        .Property("GroupIndex", Integer_Type(0, 255), &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0)
        .Property("Enabled", Boolean_Type(), &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
        .Property("Visible", Boolean_Type(), &TMenuItem::Visible, &TMenuItem::SetVisible, true)
        .Property("ShortCut", Integer_Type(0, 0xFFFF), &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0)
        .Property("HelpContext", Integer_Type(), &TMenuItem::HelpContext, &TMenuItem::SetHelpContext, 0)
        .Property("Hint", String_Type(), &TMenuItem::Hint, &TMenuItem::SetHint, "")
        .Event("OnClick", &TMenuItem::OnClick)
        .Parent_Rule([](TMenuItem& item, TComponent* parent) {
            if (auto* menu = dynamic_cast<TMenu*>(parent))
                menu->Items()->Add(&item);
            else if (auto* parent_item = dynamic_cast<TMenuItem*>(parent))
                parent_item->Add(&item);
            else
                throw EPropertyError(item.Name() + " cannot be placed on " + parent->Name());
        })
        .Children_Rule([](TMenuItem& item) { return Sub_Items(&item); });
}

void Register_Dialogs()
{
    RegisterClass<TCommonDialog, TComponent>("TCommonDialog")
        .Property("HelpContext", Integer_Type(), &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext, 0);
    RegisterClass<TOpenDialog, TCommonDialog>("TOpenDialog")
        .Property("DefaultExt", String_Type(), &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt, "")
        .Property("FileName", String_Type(), &TOpenDialog::FileName, &TOpenDialog::SetFileName, "")
        .Property("Filter", String_Type(), &TOpenDialog::Filter, &TOpenDialog::SetFilter, "")
        .Property("FilterIndex", Integer_Type(), &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1)
        .Property("InitialDir", String_Type(), &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir, "")
        .Property("Options", Set_Type<TOpenOption>(Open_Option_Names), &TOpenDialog::Options,
                  &TOpenDialog::SetOptions, TOpenOptions{ofHideReadOnly, ofEnableSizing})
        .Property("Title", String_Type(), &TOpenDialog::Title, &TOpenDialog::SetTitle, "");
    RegisterComponentClass<TSaveDialog, TOpenDialog>("TSaveDialog");
}

} // namespace

void Register_Standard_Controls()
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        Register_Label();
        Register_Widget_Controls();
        Register_Ext_Controls();
        Register_Scroll_Box();
        Register_Menus();
        Register_Dialogs();
    });
}
