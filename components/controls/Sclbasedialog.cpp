#include "components/controls/Sclbasedialog.h"

#include "components/controls/SCLBack.h"
#include "components/controls/Sclformstyler.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/winapi/System_Metrics.h"

namespace {

template <class T>
auto Field_Getter(T TSCLBaseDialog::*Field)
{
    return [Field](TSCLBaseDialog& dialog) { return dialog.*Field; };
}

template <class T>
auto Field_Setter(T TSCLBaseDialog::*Field)
{
    return [Field](TSCLBaseDialog& dialog, const T& value) { dialog.*Field = value; };
}

const bool Base_Dialog_Registered = [] {
    RegisterClass<TSCLBaseDialog, TSCLContainerComponent>("TSCLBaseDialog")
        .Property("About", String_Type(), [](TSCLBaseDialog& d) { return d.About; },
                  [](TSCLBaseDialog& d, const std::string& value) { d.About = value; }, "")
        .Property("CaptionTitle", String_Type(), Field_Getter(&TSCLBaseDialog::CaptionTitle),
                  Field_Setter(&TSCLBaseDialog::CaptionTitle), "")
        .Property("CustomButton", String_Type(), Field_Getter(&TSCLBaseDialog::CustomButton),
                  Field_Setter(&TSCLBaseDialog::CustomButton), "")
        .Property("Effect", Enum_Type<TSCLDlgEffect>(TSCLEnumInfo<TSCLDlgEffect>::Names),
                  Field_Getter(&TSCLBaseDialog::Effect), Field_Setter(&TSCLBaseDialog::Effect), deNone)
        .Object("Hints", &TSCLBaseDialog::Hints)
        .Property("ShowHints", Boolean_Type(), Field_Getter(&TSCLBaseDialog::ShowHints),
                  Field_Setter(&TSCLBaseDialog::ShowHints), true)
        .Property("CaptionFill", Boolean_Type(), Field_Getter(&TSCLBaseDialog::CaptionFill),
                  Field_Setter(&TSCLBaseDialog::CaptionFill), false)
        .Property("Colors", Integer_Type(TSCLFormStyler::Min_Colors, TSCLFormStyler::Max_Colors),
                  [](TSCLBaseDialog& d) { return static_cast<int>(d.Colors); },
                  [](TSCLBaseDialog& d, int value) { d.Colors = static_cast<BYTE>(value); }, 32)
        .Property("Position", Enum_Type<TSCLDlgPosition>(TSCLEnumInfo<TSCLDlgPosition>::Names),
                  Field_Getter(&TSCLBaseDialog::Position), Field_Setter(&TSCLBaseDialog::Position), bpCenter)
        .Property("RelatePos", Enum_Type<TSCLDlgPosRel>(TSCLEnumInfo<TSCLDlgPosRel>::Names),
                  Field_Getter(&TSCLBaseDialog::RelatePos), Field_Setter(&TSCLBaseDialog::RelatePos), brScreen)
        .Component<TSCLCustomImageList>("ImageList", &TSCLBaseDialog::ImageList, &TSCLBaseDialog::SetImageList)
        .Stored_If([](TSCLBaseDialog& d) { return d.ImageList() && d.ImageList()->Owner() != SCLContainer; })
        .Property("ImageIndex", Integer_Type(), &TSCLBaseDialog::ImageIndex, &TSCLBaseDialog::SetImageIndex, 0)
        .Property("ListIndex", Integer_Type(), &TSCLBaseDialog::ListIndex, &TSCLBaseDialog::SetListIndex, 0)
        .Event("OnCustomize", &TSCLBaseDialog::OnCustomize)
        .Event("OnCustomClick", &TSCLBaseDialog::OnCustomClick);
    return true;
}();

RECT Screen_Work_Area()
{
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

} // namespace

TSCLBaseDialog::TSCLBaseDialog(TComponent* AOwner)
    : TSCLContainerComponent(AOwner), hints(std::make_unique<TStringList>())
{
}

TSCLBaseDialog::~TSCLBaseDialog() = default;

bool TSCLBaseDialog::Execute() { return false; }

RECT TSCLBaseDialog::Target_Rect(TCustomForm* RelativeTo) const
{
    if (ComponentState().Contains(csDesigning))
        return Screen_Work_Area();
    if (RelativeTo)
        return RelativeTo->BoundsRect();
    return SCLDlgGetTargetRect(RelatePos);
}

void TSCLBaseDialog::Dress_Button(TButton* Button)
{
    if (!Button)
        return;
    if (CustomButton.empty()) {
        Button->SetVisible(false);
        return;
    }
    Button->SetCaption(CustomButton);
    Button->SetVisible(true);
    if (OnCustomClick)
        Button->OnClick = OnCustomClick;
}

void TSCLBaseDialog::Dress_Styler(TSCLFormStyler* Styler)
{
    if (!Styler)
        return;
    Styler->SetEnabled(CaptionFill);
    if (CaptionFill)
        Styler->SetColors(Colors);
    Styler->SetOptions(Styler->Options() + TSCLFormStyleOptions{fsCheckSystemGradient});
}

void TSCLBaseDialog::Dress_Back(TSCLBack* Back)
{
    if (!Back || !ImageList())
        return;
    Back->SetImageList(ImageList());
    Back->SetListIndex(ListIndex());
    Back->SetImageIndex(ImageIndex());
    Back->SetEnabled(true);
}

TModalResult TSCLBaseDialog::BaseExecute(TCustomForm* Dialog, TCustomForm* RelativeTo, TButton* Button,
                                         TSCLFormStyler* Styler, TSCLBack* Back, const std::string& DefaultCaption)
{
    Dialog->SetCaption(CaptionTitle.empty() ? DefaultCaption : CaptionTitle);
    Dress_Button(Button);
    if (OnCustomize)
        OnCustomize(Dialog);
    SCLPositionWindow(Dialog->Handle(), Target_Rect(RelativeTo), Position, false);
    if (Effect == deExplode)
        SCLExplodeForm(Dialog);
    else if (Effect == deExplodeExt)
        SCLExplodeForm2(Dialog);
    Dress_Styler(Styler);
    Dress_Back(Back);
    return Dialog->ShowModal();
}
