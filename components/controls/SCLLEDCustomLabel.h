#pragma once
// A windowless label that shows its caption, or an integer value, as
// segment-display characters inside a bevel.

#include <cstdint>
#include <memory>
#include <string>

#include "components/controls/Sclgraphiccontrol.h"
#include "components/controls/Sclled.h"
#include "components/foundations/Sclgraph.h"

enum TSCLLEDStyle { lsString, lsInteger };
template <>
struct TSCLEnumInfo<TSCLLEDStyle> {
    static constexpr const char* TypeName = "TSCLLEDStyle";
    static constexpr std::array<const char*, 2> Names{"lsString", "lsInteger"};
};

class TSCLLEDCustomLabel : public TSCLGraphicControl {
public:
    explicit TSCLLEDCustomLabel(TComponent* AOwner);
    ~TSCLLEDCustomLabel() override;

    bool AutoSize() const { return auto_size; }
    void SetAutosize(bool Value);
    BYTE Digits() const { return digits; }
    // 0 and an unchanged value are ignored.
    void SetByte(BYTE Value);
    TSCLLED* LED() const { return led.get(); }
    void SetLED(TSCLLED* Value) { led->Assign(Value); }
    std::int32_t Value() const { return value; }
    void SetValue(std::int32_t Value);
    TSCLLEDStyle Style() const { return style; }
    void SetStyle(TSCLLEDStyle Value);

    // V in decimal, padded with "0" to Digits; Digits "-" when longer.
    std::string ValueString(std::int32_t V) const;
    virtual std::string GetLabelText();
    // Takes the size of its text in cells, plus the bevel.
    void CalcBoundsRect();

    void GetChange(TObject* Sender) override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;

private:
    bool auto_size = false;
    BYTE digits = 2;
    std::unique_ptr<TSCLLED> led;
    std::int32_t value = 0;
    TSCLLEDStyle style = lsString;
    TBitmap buffer;
};
