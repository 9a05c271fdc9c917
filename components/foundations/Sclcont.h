#pragma once
// The library's picture lists and the global container.
//
// A list is a component owning an ordered set of items: bitmaps (one
// picture per item), image strips (equally sized images side by side, with
// an optional mask), string lists or raw data. Controls keep a reference
// to a list, an item number (ListIndex) and an image number (ImageIndex),
// and register a TSCLChangeLink so that they repaint when the list changes.
//
// Stored layout (integers little-endian, strings as stWriteString stores
// them):
//   list data          int32 Count, then Count item records
//   indexed list data  int32 Count, Count int32 record positions (from the
//                      start of the stream; none when Count is 0), records
//   list file          the 9-byte identifier of the list's kind ("SCLBML30"
//                      ...: length byte 8 and the characters), indexed data
//   item record        flags byte; the Description when bit 1; the Ident as
//                      int32 when bit 2; the item's payload
// Flags: 1 compressed, 2 description, 4 ident, 8 payload present, 16/32/64
// pixel format mono/16/256 colours.
//
// Every reader checks what it is told against the data that is there: a
// count, position, size or image table that does not fit the stream raises
// EReadError naming the fault; nothing is read or allocated beyond it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/foundations/Sclcustomcomponent.h"
#include "components/foundations/Sclprocs.h"
#include "components/foundations/Sclwave.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/Classes_Collection.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/ImgList.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/Graphics_Canvas.h"

enum TSCLListItemClassType { icImageList, icBitmap, icWave, icStringList, icGeneric, icRTF, icInvalid };
enum TSCLSavePixelFormat { spfDefault, spfMono, spf4bit, spf8bit };
enum TSCLDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TSCLImageType { itImage, itMask };
enum TSCLContainerSource { sdComponent, sdFile, sdAppResource, sdLibResource, sdPath };

// Colour counts by pixel format; -1 keeps the bitmap's own format.
inline constexpr std::int32_t SCLPixelFormatColors[4] = {-1, 2, 16, 256};

class TSCLBaseContainer;
class TSCLCustomContainer;
class TPicture;
class TReader;
class TWriter;

// ---- Change links -----------------------------------------------------------

// A holder's registration with a list. Destroying a registered link
// unregisters it, so neither side keeps a dangling reference.
class TSCLChangeLink : public TObject {
public:
    ~TSCLChangeLink() override;

    // The list the link is registered with, nullptr while unregistered.
    TSCLBaseContainer* Sender = nullptr;
    TNotifyEvent OnChange;

    // OnChange with Sender (the list that changed).
    void Change();
};

class TSCLBaseContainer : public TSCLCustomComponent {
public:
    explicit TSCLBaseContainer(TComponent* AOwner) : TSCLCustomComponent(AOwner) {}
    // Unregisters the links still registered, last first.
    ~TSCLBaseContainer() override;

    void RegisterChanges(TSCLChangeLink* Link);
    // A link that is not registered here is ignored.
    void UnRegisterChanges(TSCLChangeLink* Link);
    // Every registered link, in registration order, also inside an update;
    // then the component's own OnChange unless an update is open.
    void Change() override;

private:
    std::vector<TSCLChangeLink*> links;
};

// ---- List items -------------------------------------------------------------

class TSCLListItem : public TSCLCustomComponent {
public:
    explicit TSCLListItem(TComponent* AOwner) : TSCLCustomComponent(AOwner) {}

    std::string Description;
    WORD Ident = 0;
    bool Compressed = false;

    virtual void FreeData() {}
    virtual bool GetEmpty() { return false; }
    // The whole item record: flags, description, ident, payload.
    virtual void ReadData(TStream& Stream);
    virtual void WriteData(TStream& Stream);
    virtual BYTE WriteFlag();
    void LoadFromStream(TStream& Stream) { ReadData(Stream); }
    void SaveToStream(TStream& Stream) { WriteData(Stream); }

    // The item's index in its container, -1 when the owner is none.
    int GetIndex();
    // The inherited change, then the container's Update.
    void Change() override;
    void AssignStd(TSCLListItem* Source);

protected:
    // Reads flags, description and ident; answers the flags.
    BYTE ReadHeader(TStream& Stream);
    // The pixel format of the first format bit set in Flags.
    static TSCLSavePixelFormat FlagPixelFormat(BYTE Flags);
    static BYTE PixelFormatFlag(TSCLSavePixelFormat Format);
    TSCLCustomContainer* Container() const;
};

class TSCLBitmapListItem : public TSCLListItem {
public:
    explicit TSCLBitmapListItem(TComponent* AOwner);
    ~TSCLBitmapListItem() override;

    TSCLSavePixelFormat PixelFormat = spfDefault;

    // The bitmap, loaded first from the container's Source when empty.
    TBitmap* GetBitmap();
    void SetBitmap(TBitmap* Value);
    void Assign(TPersistent* Source) override;
    bool GetEmpty() override { return bitmap->Empty(); }
    void FreeData() override;
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;
    BYTE WriteFlag() override;

private:
    void LoadOnDemand();
    std::unique_ptr<TBitmap> bitmap;
};

// A strip of equally sized images, with a monochrome mask strip (black
// opaque, white transparent) while Masked. Image i is the Width x Height
// rectangle at (offset of i, 0).
class TSCLImageListItem : public TSCLListItem {
public:
    explicit TSCLImageListItem(TComponent* AOwner);
    // Without owner; raises EInvalidGraphicOperation for a size below 1.
    TSCLImageListItem(int AWidth, int AHeight);
    ~TSCLImageListItem() override;

    // How many images the strip grows by when full; below 1 counts as 1.
    std::int32_t AllocBy = 4;
    TSCLSavePixelFormat PixelFormat = spfDefault;
    TColor BkColor = clNone;
    TColor BlendColor = clNone;
    TSCLDrawingStyle DrawingStyle = dsNormal;
    TSCLImageType ImageType = itImage;

    int Width() const { return width; }
    int Height() const { return height; }
    // Changing either size (to another value of at least 1) discards the images.
    void SetWidth(int Value) { SetInteger(0, Value); }
    void SetHeight(int Value) { SetInteger(1, Value); }
    void SetInteger(int Index, int Value);
    int UsedWidth() const { return used_width; }
    int Count() const { return static_cast<int>(offsets.size()); }
    bool Empty() const { return offsets.empty(); }
    bool Masked() const { return masked; }
    void SetMaskedState(bool Value);

    TBitmap* GetImageBitmap() { return image.get(); }
    TBitmap* GetImageMaskBitmap() { return mask.get(); }
    // Empty for an index outside the strip.
    RECT GetImageRect(int Index) const;
    bool IsValidIndex(int Index) const { return Index >= 0 && Index < Count(); }

    // Answer the new image's index, or -1 when Image is refused.
    int Add(TBitmap* Image, TBitmap* Mask);
    int AddMasked(TBitmap* Image, TColor TransparentColor);
    void Insert(int Index, TBitmap* Image, TBitmap* Mask);
    void InsertMasked(int Index, TBitmap* Image, TColor TransparentColor);
    // Raise EListError for an index outside the strip.
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);
    void ReplaceMasked(int Index, TBitmap* Image, TColor TransparentColor);
    void Delete(int Index);
    void Move(int CurIndex, int NewIndex);
    void Clear();
    void AddImages(TSCLImageListItem* Source);
    void InsertImages(int Index, TSCLImageListItem* Source);
    void Assign(TPersistent* Source) override;
    // Cuts Bitmap into Count images side by side.
    void ConvertBmpToIML(TBitmap* Bitmap, int Count, bool AMasked);
    bool LoadFromBitmap(const std::string& FileName, int Count, bool AMasked);

    // Bitmap takes the image (or its mask); nothing for a bad index.
    void GetBitmap(int Index, TBitmap* Bitmap);
    void GetMaskBitmap(int Index, TBitmap* Bitmap);
    // The image's bottom-left pixel; clNone for a bad index.
    TColor TransparentColor(int Index);
    // The pixel at Point of the image (0, 0 its top-left); clNone outside.
    TColor GetColorAtPoint(const POINT& Point, int Index);

    // Nothing is drawn for a bad index.
    void Draw(TCanvas* Canvas, int X, int Y, int Index);
    void DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Index);
    void ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int Index);

    bool GetEmpty() override { return Empty(); }
    void FreeData() override { Clear(); }
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;
    BYTE WriteFlag() override;
    // A single-item list file ("SCLIML30", count 1, position 17, the record).
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

protected:
    // Appends one image slot (the strip grown by AllocBy images when full)
    // without notifying; answers its index.
    int PrepareSpace();

private:
    bool CheckImage(TBitmap* Bitmap) const;
    void CheckIndex(int Index) const;
    void SetStripWidth(int NewWidth);
    void RelayOffsets(int NewCount);
    void DrawMasked(TCanvas* Canvas, int X, int Y, int Index);
    void DrawOnBack(TCanvas* Canvas, int X, int Y, int Index, bool Pattern, bool Full);
    void CreatePattern(TBitmap* Bitmap, bool Full);
    void ReadStrips(TStream& Stream, int N);

    int width = 16;
    int height = 16;
    int used_width = 0;
    bool masked = false;
    std::unique_ptr<TBitmap> image;
    std::unique_ptr<TBitmap> mask;
    std::vector<std::int16_t> offsets;
};

class TSCLStringListItem : public TSCLListItem {
public:
    explicit TSCLStringListItem(TComponent* AOwner) : TSCLListItem(AOwner) {}

    TStringList Items;

    void Assign(TPersistent* Source) override;
    bool GetEmpty() override { return Items.Count() == 0; }
    void FreeData() override { Items.Clear(); }
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;
    BYTE WriteFlag() override;
};

class TSCLGenericListItem : public TSCLListItem {
public:
    explicit TSCLGenericListItem(TComponent* AOwner) : TSCLListItem(AOwner) {}

    TMemoryStream Data;
    std::string FileName;

    void Assign(TPersistent* Source) override;
    bool GetEmpty() override { return Data.Size() == 0; }
    void FreeData() override;
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;
    BYTE WriteFlag() override;
    // A missing file or an empty name drops the data instead.
    void LoadFromFile(const std::string& AFileName);
    void SaveToFile(const std::string& AFileName) const;
    // Writes the data to a new file of the program's private temporary
    // folder (SCLSITempFile) and answers its name, which the caller removes;
    // empty, and nothing written, when no such file can be made.
    std::string SaveToTempFile() const;
};

class TSCLWaveListItem : public TSCLListItem {
public:
    explicit TSCLWaveListItem(TComponent* AOwner) : TSCLListItem(AOwner) {}

    TSCLWave Wave;

    void Assign(TPersistent* Source) override;
    bool GetEmpty() override { return Wave.Empty(); }
    void FreeData() override { Wave.FreeWave(); }
    void ReadData(TStream& Stream) override;
    void WriteData(TStream& Stream) override;
    BYTE WriteFlag() override;
};

// ---- Containers -------------------------------------------------------------

class TSCLCustomContainer : public TSCLBaseContainer {
public:
    TSCLCustomContainer(TComponent* AOwner, TSCLListItemClassType AKind);
    ~TSCLCustomContainer() override;

    bool DefaultCompressed = false;
    std::string Path;

    TSCLListItemClassType ListKind() const { return kind; }
    virtual int GetCount() { return static_cast<int>(items.size()); }
    virtual bool GetEmpty() { return items.empty(); }
    // Raises EListError for an index outside the list.
    virtual TSCLListItem* GetItem(int Index);
    int Count() { return GetCount(); }
    bool Empty() { return GetEmpty(); }

    // A null Item makes a new item of the list's kind; the list owns it.
    int Add(TSCLListItem* Item = nullptr);
    void Insert(int Index, TSCLListItem* Item = nullptr);
    void Delete(int Index);
    void Move(int CurIndex, int NewIndex);
    void Clear();
    int IndexOf(TSCLListItem* Item) const;
    // The first item of that Description (case-sensitive), or nullptr.
    TSCLListItem* GetItemByName(const std::string& Name) const;
    void Assign(TPersistent* Source) override;
    void AddList(TSCLCustomContainer* Source);
    // An item's content changed: OnChange with the item as sender.
    void Update(TSCLListItem* Item);

    TSCLContainerSource Source() const { return source; }
    void SetSource(TSCLContainerSource Value);
    TSCLPathPrefix Prefix() const { return prefix; }
    void SetPrefix(TSCLPathPrefix Value);

    virtual void ReadData(TStream& Stream, bool Indexed);
    virtual void WriteData(TStream& Stream, bool Indexed);
    void LoadFromStream(TStream& Stream) { ReadData(Stream, false); }
    void SaveToStream(TStream& Stream) { WriteData(Stream, false); }
    // Raises Exception when the file is not a list of this kind.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

protected:
    virtual TSCLListItem* NewItem() = 0;
    virtual void AssignSettings(TSCLCustomContainer* Source);
    void Take(TSCLListItem* Item);

private:
    TSCLListItemClassType kind;
    std::vector<TSCLListItem*> items;
    TSCLPathPrefix prefix = ppProgram;
    TSCLContainerSource source = sdComponent;
};

// The picture-list interface every control draws through. List is the item
// number (a control's ListIndex), Index the image inside it (ImageIndex).
class TSCLCustomImageList : public TSCLCustomContainer {
public:
    using TSCLCustomContainer::TSCLCustomContainer;

    TSCLSavePixelFormat DefaultPixelFormat = spfDefault;

    std::int32_t ListIndex() const { return list_index; }
    // Raises EInvalidGraphicOperation for a value outside the list.
    void SetIndex(std::int32_t Value);

    virtual TCanvas* BmpCanvas(int List) = 0;
    virtual RECT ItemRect(int List, int Index) = 0;
    // Which: 0 width, 1 height.
    virtual int Dimensions(int List, int Which) = 0;
    virtual int ItemCount(int List) = 0;
    virtual bool IsValidItem(int List, int Index) = 0;
    virtual void GetBitmapItem(int List, int Index, TBitmap* Bitmap) = 0;
    virtual bool Masked(int List) = 0;
    virtual HPALETTE Palette(int List) = 0;
    virtual TColor TransparentColor(int List, int Index) = 0;
    virtual TColor GetColorAtPoint(const POINT& Point, int List, int Index) = 0;
    virtual void Draw(TCanvas* Canvas, int X, int Y, int List, int Index) = 0;
    virtual void DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int Index) = 0;
    virtual void ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                          int Index) = 0;

protected:
    void AssignSettings(TSCLCustomContainer* Source) override;
    bool IsValidList(int List) { return List >= 0 && List < Count(); }
    std::int32_t list_index = 0;
};

class TSCLBitmapList : public TSCLCustomImageList {
public:
    explicit TSCLBitmapList(TComponent* AOwner) : TSCLCustomImageList(AOwner, icBitmap) {}

    TSCLBitmapListItem* Items(int Index) { return static_cast<TSCLBitmapListItem*>(GetItem(Index)); }
    TSCLBitmapListItem* ItemByName(const std::string& Name)
    {
        return static_cast<TSCLBitmapListItem*>(GetItemByName(Name));
    }
    // The bitmap of item ListIndex, nullptr when there is none.
    TBitmap* GetBitmap();

    TCanvas* BmpCanvas(int List) override;
    RECT ItemRect(int List, int Index) override;
    int Dimensions(int List, int Which) override;
    int ItemCount(int List) override;
    bool IsValidItem(int List, int Index) override;
    void GetBitmapItem(int List, int Index, TBitmap* Bitmap) override;
    bool Masked(int) override { return false; }
    HPALETTE Palette(int List) override;
    TColor TransparentColor(int List, int Index) override;
    TColor GetColorAtPoint(const POINT& Point, int List, int Index) override;
    void Draw(TCanvas* Canvas, int X, int Y, int List, int Index) override;
    void DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int Index) override;
    void ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                  int Index) override;

protected:
    TSCLListItem* NewItem() override { return new TSCLBitmapListItem(this); }

private:
    TBitmap* ValidBitmap(int List);
};

class TSCLImageList : public TSCLCustomImageList {
public:
    explicit TSCLImageList(TComponent* AOwner) : TSCLCustomImageList(AOwner, icImageList) {}

    TSCLImageListItem* Items(int Index) { return static_cast<TSCLImageListItem*>(GetItem(Index)); }
    TSCLImageListItem* ItemByName(const std::string& Name)
    {
        return static_cast<TSCLImageListItem*>(GetItemByName(Name));
    }
    // Item ListIndex, nullptr when there is none.
    TSCLImageListItem* GetList();

    TCanvas* BmpCanvas(int List) override;
    RECT ItemRect(int List, int Index) override;
    int Dimensions(int List, int Which) override;
    int ItemCount(int List) override;
    bool IsValidItem(int List, int Index) override;
    void GetBitmapItem(int List, int Index, TBitmap* Bitmap) override;
    bool Masked(int List) override;
    HPALETTE Palette(int List) override;
    TColor TransparentColor(int List, int Index) override;
    TColor GetColorAtPoint(const POINT& Point, int List, int Index) override;
    void Draw(TCanvas* Canvas, int X, int Y, int List, int Index) override;
    void DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int Index) override;
    void ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                  int Index) override;

protected:
    TSCLListItem* NewItem() override { return new TSCLImageListItem(this); }
    void AssignSettings(TSCLCustomContainer* Source) override;

private:
    TSCLImageListItem* ValidItem(int List);
};

// ---- Lists over the class library's image lists and pictures ---------------

class TSCLImageListConnector;
class TSCLGraphicList;

// One image list of a connector, under a name of its own.
class TSCLBorImageListItem : public TCollectionItem {
public:
    explicit TSCLBorImageListItem(TCollection* ACollection);
    ~TSCLBorImageListItem() override;

    const std::string& Name() const { return name; }
    void SetName(const std::string& Value);
    TCustomImageList* ImageList() const { return image_list; }
    // Follows the list's changes and its removal; the connector is told.
    void SetImageList(TCustomImageList* Value);
    // Name, else the image list's name, else the class's.
    std::string DisplayName() const override;

private:
    TSCLImageListConnector* Connector() const;

    std::string name;
    TCustomImageList* image_list = nullptr;
    TChangeLink link;
};

class TSCLBorImageListItems : public TCollection {
public:
    explicit TSCLBorImageListItems(TSCLImageListConnector* AOwner);
    TSCLImageListConnector* Owner() const { return owner; }
    TSCLBorImageListItem* Items(int Index) const
    {
        return static_cast<TSCLBorImageListItem*>(TCollection::Items(Index));
    }
    TSCLBorImageListItem* Add() { return static_cast<TSCLBorImageListItem*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TSCLImageListConnector* owner;
};

// The class library's image lists as items of a picture list: item List is
// the image list of collection item List, Index an image of it.
class TSCLImageListConnector : public TSCLCustomImageList {
public:
    explicit TSCLImageListConnector(TComponent* AOwner);
    ~TSCLImageListConnector() override;

    TSCLBorImageListItems* ImageLists() { return &image_lists; }

    int GetCount() override { return image_lists.Count(); }
    bool GetEmpty() override { return image_lists.Count() == 0; }
    // One shared item, named after collection item Index; EListError outside.
    TSCLListItem* GetItem(int Index) override;

    TCanvas* BmpCanvas(int) override { return nullptr; }
    RECT ItemRect(int List, int Index) override;
    int Dimensions(int List, int Which) override;
    int ItemCount(int List) override;
    bool IsValidItem(int List, int Index) override;
    void GetBitmapItem(int List, int Index, TBitmap* Bitmap) override;
    bool Masked(int List) override;
    HPALETTE Palette(int) override { return nullptr; }
    TColor TransparentColor(int List, int Index) override;
    TColor GetColorAtPoint(const POINT&, int, int) override { return clWhite; }
    void Draw(TCanvas* Canvas, int X, int Y, int List, int Index) override;
    void DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int Index) override;
    void ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                  int Index) override;

protected:
    TSCLListItem* NewItem() override { return new TSCLListItem(this); }
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The image list of item List, nullptr for none.
    TCustomImageList* ListOf(int List);
    // Image Index into Bitmap; false for no such image.
    bool Fetch(int List, int Index, TBitmap& Bitmap);

    TSCLBorImageListItems image_lists;
    TSCLListItem* shared_item;
};

// One picture of a graphic list, under a name of its own.
class TSCLGraphicListItem : public TCollectionItem {
public:
    explicit TSCLGraphicListItem(TCollection* ACollection);
    ~TSCLGraphicListItem() override;

    const std::string& Name() const { return name; }
    void SetName(const std::string& Value);
    TPicture* Picture() const { return picture.get(); }
    void SetPicture(TPicture* Value);
    std::string DisplayName() const override { return name.empty() ? TCollectionItem::DisplayName() : name; }

private:
    std::string name;
    std::unique_ptr<TPicture> picture;
};

class TSCLGraphicListItems : public TCollection {
public:
    explicit TSCLGraphicListItems(TSCLGraphicList* AOwner);
    TSCLGraphicListItem* Items(int Index) const { return static_cast<TSCLGraphicListItem*>(TCollection::Items(Index)); }
    TSCLGraphicListItem* Add() { return static_cast<TSCLGraphicListItem*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TSCLGraphicList* owner;
};

// Pictures of any graphic class as items of a picture list, one image each.
class TSCLGraphicList : public TSCLCustomImageList {
public:
    explicit TSCLGraphicList(TComponent* AOwner);
    ~TSCLGraphicList() override;

    TSCLGraphicListItems* Graphics() { return &graphics; }

    int GetCount() override { return graphics.Count(); }
    bool GetEmpty() override { return graphics.Count() == 0; }
    TSCLListItem* GetItem(int Index) override;

    TCanvas* BmpCanvas(int) override { return nullptr; }
    RECT ItemRect(int List, int Index) override;
    int Dimensions(int List, int Which) override;
    int ItemCount(int List) override { return IsValidItem(List, 0) ? 1 : 0; }
    // The image number is not looked at: each item is one picture.
    bool IsValidItem(int List, int Index) override;
    void GetBitmapItem(int List, int Index, TBitmap* Bitmap) override;
    bool Masked(int) override { return false; }
    HPALETTE Palette(int List) override;
    TColor TransparentColor(int List, int Index) override;
    TColor GetColorAtPoint(const POINT&, int, int) override { return clWhite; }
    void Draw(TCanvas* Canvas, int X, int Y, int List, int Index) override;
    void DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int Index) override;
    void ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                  int Index) override;

protected:
    TSCLListItem* NewItem() override { return new TSCLListItem(this); }

private:
    // The graphic of item List, nullptr when it holds none.
    TGraphic* GraphicOf(int List);
    TSCLGraphicListItems graphics;
    TSCLListItem* shared_item;
};

class TSCLStringList : public TSCLCustomContainer {
public:
    explicit TSCLStringList(TComponent* AOwner) : TSCLCustomContainer(AOwner, icStringList) {}
    TSCLStringListItem* Items(int Index) { return static_cast<TSCLStringListItem*>(GetItem(Index)); }

protected:
    TSCLListItem* NewItem() override { return new TSCLStringListItem(this); }
};

class TSCLGenericList : public TSCLCustomContainer {
public:
    explicit TSCLGenericList(TComponent* AOwner) : TSCLCustomContainer(AOwner, icGeneric) {}
    TSCLGenericListItem* Items(int Index) { return static_cast<TSCLGenericListItem*>(GetItem(Index)); }

protected:
    TSCLListItem* NewItem() override { return new TSCLGenericListItem(this); }
};

class TSCLWaveList : public TSCLCustomContainer {
public:
    explicit TSCLWaveList(TComponent* AOwner) : TSCLCustomContainer(AOwner, icWave) {}
    TSCLWaveListItem* Items(int Index) { return static_cast<TSCLWaveListItem*>(GetItem(Index)); }

protected:
    TSCLListItem* NewItem() override { return new TSCLWaveListItem(this); }
};

// ---- The global container ---------------------------------------------------

class TSCLContainer : public TSCLBaseContainer {
public:
    explicit TSCLContainer(TComponent* AOwner);
    ~TSCLContainer() override;

    TSCLBitmapList* BitmapList() const { return bitmap_list; }
    TSCLImageList* ImageList() const { return image_list; }
    TSCLStringList* StringList() const { return string_list; }
    TSCLWaveList* WaveList() const { return wave_list; }
    void SetBitmapList(TSCLBitmapList* Value) { bitmap_list->Assign(Value); }
    void SetImageList(TSCLImageList* Value) { image_list->Assign(Value); }
    void SetStringList(TSCLStringList* Value) { string_list->Assign(Value); }
    void SetWaveList(TSCLWaveList* Value) { wave_list->Assign(Value); }

    // The four lists: bitmaps, images, waves, strings.
    std::array<TSCLCustomContainer*, 4> Lists() const { return {bitmap_list, image_list, wave_list, string_list}; }
    // A design-time container copies its lists' changes into the global one.
    void GetChange(TObject* Sender) override;

private:
    TSCLBitmapList* bitmap_list;
    TSCLImageList* image_list;
    TSCLWaveList* wave_list;
    TSCLStringList* string_list;
};

// The process-wide container whose lists forms name "SCLBML30" and "SCLIML30".
extern TSCLContainer* SCLContainer;

// The form component that fills the global lists from its stored data:
// "BitmapList", "ImageList", "WaveList" and "StringList", each in the
// list-data layout.
class TSCLContainerCtrl : public TSCLCustomComponent {
public:
    explicit TSCLContainerCtrl(TComponent* AOwner);
    ~TSCLContainerCtrl() override;

    TSCLContainer* Container() const { return container; }
    // 1 bitmap list, 2 image list, 3 wave list, 4 string list; 0 none; 255 a refused second instance.
    BYTE Selector() const { return selector; }
    // The stored data of one list by its property name; an unknown name
    // raises EReadError.
    void ReadList(const std::string& Name, TStream& Stream);
    void WriteList(const std::string& Name, TStream& Stream);
    // Whether the list of that name holds anything to store.
    bool HasList(const std::string& Name);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TSCLCustomContainer* SelectList(const std::string& Name);
    TSCLContainer* container = nullptr;
    BYTE selector = 0;
};

// ---- Global identifiers and list files --------------------------------------

// The 9-byte stored identifier of a kind (empty for icInvalid).
std::string SCLICIdent(TSCLListItemClassType Kind);
// "SCLBML30" names the global bitmap list, "SCLIML30" the global image list
// (exact case); any other identifier names none.
TSCLCustomImageList* SCLGlobalList(const std::string& Ident);
// The identifier to store for List: "SCLBML30", "SCLIML30" or empty.
std::string SCLGlobalIdent(const TSCLCustomImageList* List);
// The same through a form's reader and writer ("Internal" properties);
// the writer writes nothing for a list that is not global.
TSCLCustomImageList* SCLReadGlobalIdent(TReader& Reader);
void SCLWriteGlobalIdent(TWriter& Writer, const TSCLCustomImageList* List);
bool SCLIsGlobalIdent(const TSCLCustomImageList* List);
// What every holder of a list picture does when it changes lists: its change
// link and its free notification leave the old list and join the new one.
void SCLMoveImageListLink(TSCLCustomImageList*& Field, TSCLCustomImageList* Value, TSCLChangeLink& Link,
                          TComponent* Holder);
// What a holder does when its list is being freed: the list has already
// let its links go, unless it is only being removed from the holder.
void SCLForgetImageList(TSCLCustomImageList*& Field, TSCLChangeLink& Link);
// Stores a holder's image or list index; negative values are refused. True
// when the stored value changed.
bool SCLStoreImageListIndex(std::int32_t& Field, std::int32_t Value);
bool SCLIsSingleItemImageList(const TSCLCustomImageList* List);
bool SCLIsCollectionImageList(const TSCLCustomImageList* List);
std::string SCLICGetSuffix(TSCLListItemClassType Kind, bool WithDot);
std::string SCLICGetItemSuffix(TSCLListItemClassType Kind, bool WithDot);

// The kind of a list stream read from its start: icInvalid when the 9-byte
// identifier matches none (Count and Positions then stay empty). Count
// takes the item count; Positions, when given, the record positions, each
// checked to lie inside the stream.
TSCLListItemClassType SCLListGetStreamType(TStream& Stream, std::int32_t& Count, std::vector<std::int64_t>* Positions);
// The same for a file.
TSCLListItemClassType SCLListGetFileType(const std::string& FileName, std::int32_t& Count,
                                         std::vector<std::int64_t>* Positions);
// Item Index of a list stream read into Item; false without positions or
// for an index outside them.
bool SCLListGetItemFromStream(TStream& Stream, const std::vector<std::int64_t>* Positions, int Index,
                              TSCLListItem* Item);
// Raises Exception when the file is not a list of kind Kind.
bool SCLListGetItemFromFile(const std::string& FileName, TSCLListItemClassType Kind,
                            const std::vector<std::int64_t>* Positions, TSCLListItem* Item, int Index);
bool SCLBMLGetItem(const std::string& FileName, int Index, TBitmap* Bitmap);
bool SCLIMLGetItem(const std::string& FileName, int Index, TSCLImageListItem* Item);
bool SCLWVLGetItem(const std::string& FileName, int Index, TSCLWave* Wave);

// Reads one whole list file from Stream (its start) into a new list of the
// kind it names; raises Exception for an identifier of no list read here,
// EReadError for damaged data.
std::unique_ptr<TSCLCustomContainer> SCLReadListStream(TStream& Stream);

// Bitmap takes the bitmap stored in FileName: a bitmap file ("BM") is read
// whole, anything else is opened as a resource library and gives its bitmap
// named Ident in decimal. False, Bitmap unchanged, when nothing could be
// read (missing or damaged file, no library, no such bitmap).
//
// A resource library is a shared library exporting
//   extern "C" const unsigned char* SCLBitmapResource(const char* Name,
//                                                     unsigned int* Size);
// which answers the bytes of the bitmap file named Name and its size, or
// null when it holds no such bitmap. The library is closed again once the
// bitmap is read.
bool SCLBmpLoadFromFile(const std::string& FileName, WORD Ident, TBitmap* Bitmap);
// The resource library's bitmap named Name; false, Bitmap unchanged, as above.
bool SCLBmpLoadFromLibrary(const std::string& FileName, const std::string& Name, TBitmap* Bitmap);
