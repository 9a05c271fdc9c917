#pragma once
// The root of the library's dialog components: what every such dialog
// shares (caption, an optional extra button, hints, a background picture,
// placement, an opening effect and a gradient title) and BaseExecute, which
// dresses and places a form a descendant built and shows it modally.

#include <array>
#include <memory>
#include <string>

#include "components/foundations/Sclcontainercomponent.h"
#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Forms.h"

class TButton;
class TSCLBack;
class TSCLFormStyler;

enum TSCLDlgEffect { deNone, deExplode, deExplodeExt };
template <>
struct TSCLEnumInfo<TSCLDlgEffect> {
    static constexpr const char* TypeName = "TSCLDlgEffect";
    static constexpr std::array<const char*, 3> Names{"deNone", "deExplode", "deExplodeExt"};
};
template <>
struct TSCLEnumInfo<TSCLDlgPosition> {
    static constexpr const char* TypeName = "TSCLDlgPosition";
    static constexpr std::array<const char*, 10> Names{"bpCustom",     "bpTopLeft",      "bpTopCenter",
                                                       "bpTopRight",   "bpCenterLeft",   "bpCenter",
                                                       "bpCenterRight", "bpBottomLeft",  "bpBottomCenter",
                                                       "bpBottomRight"};
};
template <>
struct TSCLEnumInfo<TSCLDlgPosRel> {
    static constexpr const char* TypeName = "TSCLDlgPosRel";
    static constexpr std::array<const char*, 4> Names{"brScreen", "brScreenWorkArea", "brMainForm",
                                                      "brActiveWindow"};
};

class TSCLBaseDialog : public TSCLContainerComponent {
public:
    explicit TSCLBaseDialog(TComponent* AOwner);
    ~TSCLBaseDialog() override;

    std::string CaptionTitle;
    // The extra button's caption; empty hides the button.
    std::string CustomButton;
    TSCLDlgEffect Effect = deNone;
    TStrings* Hints() const { return hints.get(); }
    void SetHints(TStrings* Value) { hints->Assign(*Value); }
    bool ShowHints = true;
    // The title bar painted as a gradient of Colors steps by the form styler.
    bool CaptionFill = false;
    BYTE Colors = 32;
    TSCLDlgPosition Position = bpCenter;
    TSCLDlgPosRel RelatePos = brScreen;
    // Called with the built form before it is placed.
    TNotifyEvent OnCustomize;
    // The extra button's click handler.
    TNotifyEvent OnCustomClick;

    // Shows the dialog; answers whether it was shown (false here).
    virtual bool Execute();

    // Dresses Dialog (caption, extra button, title styler, background),
    // places it in RelativeTo's bounds or in the rectangle RelatePos names,
    // shows it modally and answers its modal result.
    TModalResult BaseExecute(TCustomForm* Dialog, TCustomForm* RelativeTo, TButton* Button, TSCLFormStyler* Styler,
                             TSCLBack* Back, const std::string& DefaultCaption);

private:
    RECT Target_Rect(TCustomForm* RelativeTo) const;
    void Dress_Button(TButton* Button);
    void Dress_Styler(TSCLFormStyler* Styler);
    void Dress_Back(TSCLBack* Back);

    std::unique_ptr<TStringList> hints;
};
