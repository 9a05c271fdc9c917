#pragma once
// Classes the form tests place in their resources: a panel that records
// its Loaded call, and a probe component with a property of every kind.

#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/ExtCtrls_Controls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace forms_test {

class TTest_Panel : public TCustomControl {
public:
    explicit TTest_Panel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 50, 40); }

    int Loaded_Count = 0;
    // What the panel found when Loaded ran.
    int Controls_At_Loaded = -1;
    bool Popup_At_Loaded = false;
    bool Loading_Before = false;

    void Loaded() override
    {
        Loading_Before = ComponentState().Contains(csLoading);
        ++Loaded_Count;
        Controls_At_Loaded = ControlCount();
        Popup_At_Loaded = PopupMenu() != nullptr;
        TCustomControl::Loaded();
    }
};

enum TProbe_Mode { pmFirst, pmSecond, pmThird };
inline constexpr const char* Probe_Mode_Names[] = {"pmFirst", "pmSecond", "pmThird"};

class TProbe_Item : public TPersistent {
public:
    std::string Caption;
    int Value = 0;
};

class TProbe : public TComponent {
public:
    using TComponent::TComponent;

    int Count = 0;
    bool Flag = false;
    double Ratio = 0;
    std::string Text;
    TProbe_Mode Mode = pmFirst;
    TSet<TProbe_Mode> Modes;
    TColor Shade = clBtnFace;
    TStringList Lines;
    std::vector<std::unique_ptr<TProbe_Item>> Items;
    TComponent* Buddy = nullptr;
    TNotifyEvent OnChange;
    // Pseudo-properties.
    std::string Internal;
    std::vector<unsigned char> Data;
    int Loaded_Count = 0;
    bool Buddy_At_Loaded = false;

    void Loaded() override
    {
        ++Loaded_Count;
        Buddy_At_Loaded = Buddy != nullptr;
        TComponent::Loaded();
    }

    void DefineProperties(TFiler& Filer)
    {
        Filer.DefineProperty(
            "Internal", [this](TReader& Reader) { Internal = Reader.ReadString(); },
            [this](TWriter& Writer) { Writer.WriteString(Internal); }, !Internal.empty());
        Filer.DefineBinaryProperty(
            "Data",
            [this](TStream& Stream) {
                Data.resize(static_cast<std::size_t>(Stream.Size()));
                Stream.ReadBuffer(Data.data(), static_cast<int>(Data.size()));
            },
            [this](TStream& Stream) { Stream.WriteBuffer(Data.data(), static_cast<int>(Data.size())); },
            !Data.empty());
    }
};

inline void Register_Test_Classes()
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        RegisterComponentClass<TTest_Panel, TCustomControl>("TTest_Panel");
        RegisterClass<TProbe_Item>("TProbe_Item")
            .Property("Caption", String_Type(), &TProbe_Item::Caption,
                      [](TProbe_Item& item, const std::string& value) { item.Caption = value; }, "")
            .Property("Value", Integer_Type(), &TProbe_Item::Value,
                      [](TProbe_Item& item, int value) { item.Value = value; }, 0);
        RegisterComponentClass<TProbe, TComponent>("TProbe")
            .Property("Count", Integer_Type(), &TProbe::Count, [](TProbe& p, int v) { p.Count = v; }, 0)
            .Property("Flag", Boolean_Type(), &TProbe::Flag, [](TProbe& p, bool v) { p.Flag = v; }, false)
            .Property("Ratio", Float_Type(), &TProbe::Ratio, [](TProbe& p, double v) { p.Ratio = v; }, 0.0)
            .Property("Text", String_Type(), &TProbe::Text, [](TProbe& p, const std::string& v) { p.Text = v; }, "")
            .Property("Mode", Enum_Type<TProbe_Mode>(Probe_Mode_Names), &TProbe::Mode,
                      [](TProbe& p, TProbe_Mode v) { p.Mode = v; }, pmFirst)
            .Property("Modes", Set_Type<TProbe_Mode>(Probe_Mode_Names), &TProbe::Modes,
                      [](TProbe& p, TSet<TProbe_Mode> v) { p.Modes = v; }, TSet<TProbe_Mode>{})
            .Property("Shade", Color_Type(), &TProbe::Shade, [](TProbe& p, TColor v) { p.Shade = v; }, clBtnFace)
            .Object("Lines", [](TProbe& p) { return static_cast<TStrings*>(&p.Lines); })
            .Collection(
                "Items", [](TProbe& p) { p.Items.clear(); },
                [](TProbe& p) { return p.Items.emplace_back(std::make_unique<TProbe_Item>()).get(); },
                [](TProbe& p) { return static_cast<int>(p.Items.size()); },
                [](TProbe& p, int i) { return p.Items[static_cast<std::size_t>(i)].get(); })
            .Component<TComponent>("Buddy", &TProbe::Buddy, [](TProbe& p, TComponent* v) { p.Buddy = v; })
            .Event("OnChange", &TProbe::OnChange)
            .DefineProperties(&TProbe::DefineProperties);
    });
}

// The form of the resource ":/forms/TForm_Test".
class TForm_Test : public TForm {
public:
    explicit TForm_Test(TComponent* AOwner) : TForm(AOwner)
    {
        Register_Test_Classes();
        InitInheritedComponent(this, Table());
    }

    static const TForm_Table& Table()
    {
        static const TForm_Table table = TForm_Table()
                                             .Field("PanelOuter", &TForm_Test::PanelOuter)
                                             .Field("PanelInner", &TForm_Test::PanelInner)
                                             .Field("Memo1", &TForm_Test::Memo1)
                                             .Field("Probe1", &TForm_Test::Probe1)
                                             .Field("PopupMain", &TForm_Test::PopupMain)
                                             .Field("MenuCopy", &TForm_Test::MenuCopy)
                                             .Field("MenuSmall", &TForm_Test::MenuSmall)
                                             .Field("MenuLarge", &TForm_Test::MenuLarge)
                                             .Handler("PanelInnerClick", &TForm_Test::PanelInnerClick)
                                             .Handler("FormClose", &TForm_Test::FormClose)
                                             .Handler("ProbeChange", &TForm_Test::ProbeChange)
                                             .Handler("PopupMainPopup", &TForm_Test::PopupMainPopup)
                                             .Handler("MenuClick", &TForm_Test::MenuClick);
        return table;
    }

    TPanel* PanelOuter = nullptr;
    TTest_Panel* PanelInner = nullptr;
    TMemo* Memo1 = nullptr;
    TProbe* Probe1 = nullptr;
    TPopupMenu* PopupMain = nullptr;
    TMenuItem* MenuCopy = nullptr;
    TMenuItem* MenuSmall = nullptr;
    TMenuItem* MenuLarge = nullptr;
    std::vector<std::string> Calls;

    void PanelInnerClick(TObject* Sender) { Calls.push_back("click " + dynamic_cast<TComponent*>(Sender)->Name()); }
    void MenuClick(TObject* Sender) { Calls.push_back("menu " + dynamic_cast<TComponent*>(Sender)->Name()); }
    void PopupMainPopup(TObject*) { Calls.push_back("popup"); }
    void FormClose(TObject*, TCloseAction& Action)
    {
        Calls.push_back("close");
        Action = caHide;
    }
    void ProbeChange(TObject*) { Calls.push_back("change"); }
};

} // namespace forms_test
