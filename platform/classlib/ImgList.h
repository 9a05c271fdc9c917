#pragma once
// The class library's image list: images of one size, each with a mask
// while Masked (black opaque, white transparent), drawn onto canvases.
// Holders register a TChangeLink to hear of every change.

#include <memory>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/Graphics_Canvas.h"

class TCustomImageList;

class TChangeLink : public TObject {
public:
    // A registered link unregisters itself.
    ~TChangeLink() override;

    // The list the link is registered with, nullptr while unregistered.
    TCustomImageList* Sender = nullptr;
    TNotifyEvent OnChange;

    void Change();
};

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    // Unregisters the links still registered.
    ~TCustomImageList() override;

    int Width() const { return width; }
    int Height() const { return height; }
    // A new size (at least 1) discards every image.
    void SetWidth(int Value);
    void SetHeight(int Value);
    bool Masked() const { return masked; }
    // Switching discards every image.
    void SetMasked(bool Value);
    int Count() const { return static_cast<int>(images.size()); }

    // Image (Height high, a whole multiple of Width wide) is cut into
    // images from the left; Mask, when the list is masked, likewise (none:
    // all opaque). Answers the index of the first new image, -1 for no
    // image; a wrong size raises EInvalidGraphicOperation.
    int Add(TBitmap* Image, TBitmap* Mask);
    // Pixels of MaskColor are transparent.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    // Nothing for an index outside the list.
    void Delete(int Index);
    void Clear();

    // Masked images leave the canvas under their transparent pixels
    // untouched; a disabled image is drawn in grey. Nothing for a bad index.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    // Image takes the image's pixels, Width x Height; nothing for a bad index.
    void GetBitmap(int Index, TBitmap* Image);

    void RegisterChanges(TChangeLink* Link);
    // A link not registered here is ignored.
    void UnRegisterChanges(TChangeLink* Link);

    TNotifyEvent OnChange;

protected:
    // Every registered link, then OnChange.
    virtual void Change();

private:
    int Add_Pieces(TBitmap* Image, const std::vector<bool>* Transparent_Pixels, TBitmap* Mask);
    void Check_Size(TBitmap* Bitmap) const;
    void Discard_Images();

    int width = 16;
    int height = 16;
    bool masked = true;
    std::vector<std::unique_ptr<TBitmap>> images;
    // Per image while masked: true where transparent.
    std::vector<std::vector<bool>> masks;
    std::vector<TChangeLink*> links;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
