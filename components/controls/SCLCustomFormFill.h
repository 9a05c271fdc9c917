#pragma once
// A non-visual component that paints its owner form's client background
// when the form erases it, through an owner-draw event (or, in TSCLBack, a
// picture of an image list).

#include <array>
#include <cstdint>
#include <functional>

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclwndproccomponent.h"
#include "platform/classlib/Graphics_Canvas.h"

enum TSCLPaintMode { pcNone, pcControl, pcOwnerDraw };
template <>
struct TSCLEnumInfo<TSCLPaintMode> {
    static constexpr const char* TypeName = "TSCLPaintMode";
    static constexpr std::array<const char*, 3> Names{"pcNone", "pcControl", "pcOwnerDraw"};
};

using TSCLPaintEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const RECT& Rect)>;

class TSCLCustomFormFill : public TSCLWndProcComponent {
public:
    explicit TSCLCustomFormFill(TComponent* AOwner);
    ~TSCLCustomFormFill() override;

    TSCLCustomImageList* ImageList() const { return image_list; }
    void SetImageList(TSCLCustomImageList* Value);
    std::int32_t ImageIndex() const { return image_index; }
    std::int32_t ListIndex() const { return list_index; }
    void SetImageIndex(std::int32_t Value) { SetIndex(0, Value); }
    void SetListIndex(std::int32_t Value) { SetIndex(1, Value); }
    // 0 ImageIndex, 1 ListIndex; a negative or unchanged value is ignored.
    void SetIndex(int Index, std::int32_t Value);
    bool IMLEmpty();
    bool HasControl() const;
    bool CheckCont() const;
    void DefineProperties(TFiler& Filer);

    // The form's colour under the owner drawing first.
    bool DefaultFill = true;
    TSCLPaintMode PaintMode() const { return paint_mode; }
    void SetPaintMode(TSCLPaintMode Value);
    TSCLPaintEvent OnPaint;
    // Raised by a size change or a change of settings.
    bool Resized() const { return resized; }

    virtual void GetIMLChange(TObject* Sender);
    // Paints the form's client area on DC; false leaves the form's own
    // erasing to run.
    virtual bool PaintClientArea(HDC DC);
    // The owner's whole client area invalidated and erased.
    void Invalidate();

    void GetChange(TObject* Sender) override;
    void Init() override;
    void RestoreState() override;
    void WndProc(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The owner's client area invalidated without erasing.
    void Invalidate_Unerased();
    RECT Owner_Client_Rect() const;

private:
    TSCLCustomImageList* image_list = nullptr;
    std::int32_t image_index = 0;
    std::int32_t list_index = 0;
    TSCLChangeLink link;
    TSCLPaintMode paint_mode = pcControl;
    bool resized = false;
};
