#pragma once
// The alpha-blend settings of a control's background effect: a fill
// (FillObject) laid over a bitmap with a strength. In this library the
// image-list and strength settings are held at their neutral values: the
// setters store those whatever they are given, so only the fill's own
// settings change what a blend does.

#include <memory>
#include <string>

#include "components/controls/SCLFillObject.h"
#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Graphics_Bitmap.h"

class TSCLAlphaObject : public TSCLObject {
public:
    TSCLAlphaObject();
    ~TSCLAlphaObject() override;
    TSCLAlphaObject(const TSCLAlphaObject&) = delete;
    TSCLAlphaObject& operator=(const TSCLAlphaObject&) = delete;

    TSCLCustomImageList* ImageList() const { return image_list; }
    float Strength() const { return strength; }
    int ImageIndex() const { return image_index; }
    int ListIndex() const { return list_index; }
    TSCLFillObject* FillObject() const { return fill_object.get(); }

    // Always false: controls never route their background through it.
    bool Enabled() const { return false; }

    // 0 ImageIndex, 1 ListIndex: both stay 0; the list picture follows.
    void SetInteger(int Index, int Value);
    // Strength becomes 0.0 (notified when it was not).
    void SetSingle(float Value);
    // Index 0: the unused flag stays false.
    void SetBoolean(int Index, bool Value);
    // Lets the current list go; no list is kept.
    void SetImageList(TSCLCustomImageList* Value);
    void SetFillObject(TSCLFillObject* Value);

    // No list, or no valid item (ListIndex, ImageIndex) in it.
    bool IMLEmpty() const;
    // Copies the list item into the fill's list bitmap (or empties it),
    // then notifies with the fill as sender.
    void GetIMLChange(TObject* Sender);
    HPALETTE GetPalette() const;

    // Lays the fill over Bitmap (made 24-bit) with Strength: each byte becomes
    // fill + round((bitmap - fill) * Strength). The blend stops one short of
    // each far side, so the last column and the last row keep their pixels.
    // Nothing happens while the fill has no style.
    void AlphaBlend(TBitmap* Bitmap);
    // SourceRect of Bitmap blended, and PartRect of the result copied onto
    // Canvas at DestRect.
    void ControlBlend(TBitmap* Bitmap, const RECT& SourceRect, const RECT& PartRect, TCanvas* Canvas,
                      const RECT& DestRect);

    // From another alpha object: the fill (through its Assign), then
    // strength, indices and list as they are.
    void Assign(TPersistent* Source) override;
    // "{Disabled}", or "{Enabled (grad), strength: 0.600}".
    std::string GetSetStr() override;

    // "Internal": a global list named by its identifier.
    void DefineProperties(TFiler& Filer);

private:
    void Notify_From_Fill();

    TSCLCustomImageList* image_list = nullptr;
    float strength = 0.6F;
    int image_index = 0;
    int list_index = 0;
    std::unique_ptr<TSCLFillObject> fill_object;
    TSCLChangeLink link;
    bool unused_flag = false;
};
