#pragma once
// The text label of the screens: its caption drawn with a 3D effect, aligned
// in the client rectangle, on one line or word-wrapped, and optionally a
// hyperlink ("jump") that opens a web or mail address or a program through
// the shell.
//
// A jump that the shell cannot open is not silent: the label falls back to
// no jump, is disabled, and the failure is raised (EJumpError) to whoever
// clicked, so that the application object shows it.

#include <cstdint>
#include <string>

#include "components/controls/Sclbaselabel.h"
#include "components/foundations/Scl3dcaption.h"

enum TSCLJumpModes { jmInternet, jmApplication, jmNone, jmCustom };
template <>
struct TSCLEnumInfo<TSCLJumpModes> {
    static constexpr const char* TypeName = "TSCLJumpModes";
    static constexpr std::array<const char*, 4> Names{"jmInternet", "jmApplication", "jmNone", "jmCustom"};
};

// A jump target the shell could not open.
class EJumpError : public Exception {
    using Exception::Exception;
};

class TSCLCustomSimpleLabel : public TSCLBaseLabel {
public:
    explicit TSCLCustomSimpleLabel(TComponent* AOwner);
    ~TSCLCustomSimpleLabel() override;

    TSCL3DCaption* Font3D() const { return font_3d; }
    void SetFont3D(TSCL3DCaption* Value) { font_3d->Assign(Value); }
    const std::string& Jump() const { return jump; }
    void SetJump(const std::string& Value) { jump = Value; }
    TColor ActiveColor() const { return active_color; }
    TColor InActiveColor() const { return inactive_color; }
    using TControl::SetColor;
    // 0 ActiveColor, 1 InActiveColor (also the font colour at once for an
    // old-style jump label).
    void SetColor(int Index, TColor Value);
    void SetActiveColor(TColor Value) { SetColor(0, Value); }
    void SetInActiveColor(TColor Value) { SetColor(1, Value); }
    bool JumpUnderline() const { return jump_underline; }
    void SetJumpUnderLine(bool Value);
    TSCLJumpModes JumpMode() const { return jump_mode; }
    void SetJumpMode(TSCLJumpModes Value);
    // The old layouts' switch, read only: true makes the label a web jump.
    bool UseAsJump() const { return use_as_jump; }

    // Counter 0, the font in InActiveColor (underlined with JumpUnderline).
    void ResetCounter();
    std::int32_t GetCounter() const { return counter; }
    // A jump label counts and takes ActiveColor; then Click in every mode.
    void Execute();

    // Resizes the label to its measured text when AutoSize is set, from
    // its top-left corner.
    void CorrectBounds() override;
    void Loaded() override;
    void DefineProperties(TFiler& Filer);

protected:
    void Paint() override;
    void Click() override;
    // Only a custom jump label follows its action.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // The jump's target: the trimmed Jump, else the label's text ("mailto:"
    // added for an address in web mode).
    std::string Jump_Target() const;
    // Hands Target to the shell; a failure raises EJumpError.
    void Open_Jump(const std::string& Target);
    int Text_Flags(RECT& Rect, const std::string& Text);
    void Set_Jump_Color(TColor Value);
    void Set_Underline(bool On);

    TSCL3DCaption* font_3d;
    std::string jump;
    TColor active_color = 0x00800080;
    TColor inactive_color = 0x00FF0000;
    bool use_as_jump = false;
    bool jump_underline = true;
    TSCLJumpModes jump_mode = jmNone;
    std::int32_t counter = 0;
};
