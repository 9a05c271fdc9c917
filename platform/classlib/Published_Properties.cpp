#include "platform/classlib/Published_Properties.h"

#include "platform/classlib/ActnList.h"
#include "platform/classlib/Graphics_Bitmap_Published.h"
#include "platform/classlib/StdCtrls_Published.h"

namespace {

const TIdent_Value cursor_idents[] = {
    {"crDefault", crDefault},     {"crNone", crNone},           {"crArrow", crArrow},
    {"crCross", crCross},         {"crIBeam", crIBeam},         {"crSizeNESW", crSizeNESW},
    {"crSizeNS", crSizeNS},       {"crSizeNWSE", crSizeNWSE},   {"crSizeWE", crSizeWE},
    {"crUpArrow", crUpArrow},     {"crHourGlass", crHourGlass}, {"crDrag", crDrag},
    {"crNoDrop", crNoDrop},       {"crHSplit", crHSplit},       {"crVSplit", crVSplit},
    {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait},     {"crNo", crNo},
    {"crAppStart", crAppStart},   {"crHelp", crHelp},           {"crHandPoint", crHandPoint},
    {"crSizeAll", crSizeAll},
};

void Register_Font()
{
    RegisterClass<TFont>("TFont")
        .Property("Charset", Integer_Type(0, 255), &TFont::Charset, &TFont::SetCharset, 1)
        .Property("Color", Color_Type(), &TFont::Color, &TFont::SetColor, clWindowText)
        .Property("Height", Integer_Type(), &TFont::Height, &TFont::SetHeight, -11)
        .Property("Name", String_Type(), &TFont::Name, &TFont::SetName, "MS Sans Serif")
        .Property("Pitch", Enum_Type<TFontPitch>(Font_Pitch_Names), &TFont::Pitch, &TFont::SetPitch, fpDefault)
        .Property("Size", Integer_Type(), &TFont::Size, &TFont::SetSize)
        .Not_Stored()
        .Property("Style", Set_Type<TFontStyle>(Font_Style_Names), &TFont::Style, &TFont::SetStyle, TFontStyles{});
}

void Register_Strings()
{
    RegisterClass<TStrings>("TStrings")
        .Property(
            "Strings", String_List_Type(),
            [](TStrings& strings) {
                std::vector<std::string> lines;
                for (int i = 0; i < strings.Count(); ++i)
                    lines.push_back(strings[i]);
                return lines;
            },
            [](TStrings& strings, const std::vector<std::string>& lines) {
                strings.BeginUpdate();
                strings.Clear();
                for (const std::string& line : lines)
                    strings.Add(line);
                strings.EndUpdate();
            },
            std::vector<std::string>{});
}

void Register_Control()
{
    RegisterClass<TControl, TComponent>("TControl")
        .Property("Left", Integer_Type(), &TControl::Left, &TControl::SetLeft)
        .Property("Top", Integer_Type(), &TControl::Top, &TControl::SetTop)
        .Property("Width", Integer_Type(), &TControl::Width, &TControl::SetWidth)
        .Property("Height", Integer_Type(), &TControl::Height, &TControl::SetHeight)
        .Property("Align", Enum_Type<TAlign>(Align_Names), &TControl::Align, &TControl::SetAlign, alNone)
        .Property("Caption", String_Type(), &TControl::Caption, &TControl::SetCaption, "")
        .Property("Color", Color_Type(), &TControl::Color, &TControl::SetColor, clWindow)
        .Stored_If([](TControl& control) { return !control.ParentColor(); })
        .Property("ParentColor", Boolean_Type(), &TControl::ParentColor, &TControl::SetParentColor, true)
        .Object("Font", &TControl::Font)
        .Stored_If([](TControl& control) { return !control.ParentFont(); })
        .Property("ParentFont", Boolean_Type(), &TControl::ParentFont, &TControl::SetParentFont, true)
        .Property("Visible", Boolean_Type(), &TControl::Visible, &TControl::SetVisible, true)
        .Property("Enabled", Boolean_Type(), &TControl::Enabled, &TControl::SetEnabled, true)
        .Property("Hint", String_Type(), &TControl::Hint, &TControl::SetHint, "")
        .Property("ShowHint", Boolean_Type(), &TControl::ShowHint, &TControl::SetShowHint, false)
        .Stored_If([](TControl& control) { return !control.ParentShowHint(); })
        .Property("ParentShowHint", Boolean_Type(), &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
        .Component<TComponent>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Component<TBasicAction>("Action", &TControl::Action, &TControl::SetAction)
        .Property("Cursor", Ident_Integer_Type(cursor_idents), &TControl::Cursor, &TControl::SetCursor, crDefault)
        .Property("HelpType", Enum_Type<THelpType>(Help_Type_Names), &TControl::HelpType, &TControl::SetHelpType,
                  htContext)
        .Property("HelpKeyword", String_Type(), &TControl::HelpKeyword, &TControl::SetHelpKeyword, "")
        .Property("HelpContext", Integer_Type(), &TControl::HelpContext, &TControl::SetHelpContext, 0)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnResize", &TControl::OnResize)
        .Event("OnCanResize", &TControl::OnCanResize)
        .Parent_Rule([](TControl& control, TComponent* parent) {
            auto* container = dynamic_cast<TWinControl*>(parent);
            if (!container)
                throw EPropertyError(control.Name() + " cannot be placed on " + parent->Name());
            control.SetParent(container);
        });
}

void Register_Win_Control()
{
    RegisterClass<TWinControl, TControl>("TWinControl")
        .Property("TabOrder", Integer_Type(-1), &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
        .Property("TabStop", Boolean_Type(), &TWinControl::TabStop, &TWinControl::SetTabStop, false)
        .Property("Ctl3D", Boolean_Type(), &TWinControl::Ctl3D, &TWinControl::SetCtl3D, true)
        .Stored_If([](TWinControl& control) { return !control.ParentCtl3D(); })
        .Property("ParentCtl3D", Boolean_Type(), &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D, true)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Children_Rule([](TWinControl& control) {
            std::vector<TComponent*> children;
            for (int i = 0; i < control.ControlCount(); ++i)
                children.push_back(control.Controls(i));
            return children;
        });
    RegisterClass<TGraphicControl, TControl>("TGraphicControl");
    RegisterClass<TCustomControl, TWinControl>("TCustomControl");
}

void Register_Form()
{
    RegisterClass<TCustomForm, TWinControl>("TCustomForm")
        .Property("BorderStyle", Enum_Type<TFormBorderStyle>(Form_Border_Style_Names), &TCustomForm::BorderStyle,
                  &TCustomForm::SetBorderStyle, bsSizeable)
        .Property("BorderIcons", Set_Type<TBorderIcon>(Border_Icon_Names), &TCustomForm::BorderIcons,
                  &TCustomForm::SetBorderIcons, TBorderIcons{biSystemMenu, biMinimize, biMaximize})
        .Property("FormStyle", Enum_Type<TFormStyle>(Form_Style_Names), &TCustomForm::FormStyle,
                  &TCustomForm::SetFormStyle, fsNormal)
        .Property("Position", Enum_Type<TPosition>(Position_Names), &TCustomForm::Position,
                  &TCustomForm::SetPosition, poDesigned)
        .Property("KeyPreview", Boolean_Type(), &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false)
        .Property("WindowState", Enum_Type<TWindowState>(Window_State_Names), &TCustomForm::WindowState,
                  &TCustomForm::SetWindowState, wsNormal)
        .Property("ClientWidth", Integer_Type(), &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
        .Not_Stored()
        .Property("ClientHeight", Integer_Type(), &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
        .Not_Stored()
        .Property("Color", Color_Type(), &TCustomForm::Color, &TCustomForm::SetColor, clBtnFace)
        .Stored_If([](TCustomForm& form) { return !form.ParentColor(); })
        .Property("ParentColor", Boolean_Type(), &TCustomForm::ParentColor, &TCustomForm::SetParentColor, false)
        .Property("ParentFont", Boolean_Type(), &TCustomForm::ParentFont, &TCustomForm::SetParentFont, false)
        .Property("Visible", Boolean_Type(), &TCustomForm::Visible, &TCustomForm::SetVisible, false)
        .Component<TWinControl>("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnShow", &TCustomForm::OnShow)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnPaint", &TCustomForm::OnPaint)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
    RegisterComponentClass<TForm, TCustomForm>("TForm");
}

} // namespace

void Register_Class_Library()
{
    Register_Font();
    Register_Bitmap_Data();
    Register_Strings();
    RegisterClass<TComponent>("TComponent").Property("Tag", Integer_Type(), &TComponent::Tag, &TComponent::SetTag, 0);
    Register_Control();
    Register_Win_Control();
    Register_Form();
    Register_Standard_Controls();
    Register_Action_Classes();
}
