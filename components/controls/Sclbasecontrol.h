#pragma once
// The windowless root with a picture: a link to an image list (the list,
// an item number ListIndex and an image number ImageIndex) that repaints
// the control when the list changes, and the background effect object.

#include <cstdint>

#include "components/controls/Sclbitmapeffectobject.h"
#include "components/controls/Sclcontrol.h"
#include "components/foundations/Sclcont.h"

class TSCLBaseControl : public TSCLControl {
public:
    explicit TSCLBaseControl(TComponent* AOwner);
    ~TSCLBaseControl() override;

    TSCLCustomImageList* ImageList() const { return image_list; }
    // Moves the change link to Value (nullptr detaches), then GetIMLChange.
    void SetImageList(TSCLCustomImageList* Value);
    std::int32_t ImageIndex() const { return image_index; }
    std::int32_t ListIndex() const { return list_index; }
    // 0 ImageIndex, 1 ListIndex; a negative or unchanged value is ignored;
    // a stored one repaints when a list is assigned.
    void SetIndex(int Index, std::int32_t Value);
    void SetListIndex(std::int32_t Value) { SetIndex(1, Value); }
    // Stores ImageIndex without repainting; a negative value is ignored.
    void SetImageIndex(std::int32_t Value);
    void SetIndexedImageIndex(std::int32_t Value) { SetIndex(0, Value); }
    // No list, or the list has no item (ListIndex, ImageIndex).
    bool IMLEmpty();
    // Stored-ness of ImageList: a list of the global container is stored as
    // "Internal" instead.
    bool HasControl() const;
    void DefineProperties(TFiler& Filer);

    TSCLBitmapEffectObject* BackFX() const { return back_fx; }
    void SetBackFX(TSCLBitmapEffectObject* Value) { back_fx->Assign(Value); }

    // Whether a ready background of the parent can be used; not here.
    virtual bool CheckOptimized() { return false; }
    virtual void GetIMLChange(TObject* Sender) { GetChange(Sender); }

    RECT GetScreenRect(const RECT& Rect);
    // A point of the control in the back bitmap of the ancestor that
    // supplies the background (the parent's client coordinates when none).
    POINT BackMapPoint(int X, int Y);

    void Loaded() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TSCLCustomImageList* image_list = nullptr;
    std::int32_t image_index = 0;
    std::int32_t list_index = 0;
    TSCLChangeLink link;
    TSCLBitmapEffectObject* back_fx;
};
