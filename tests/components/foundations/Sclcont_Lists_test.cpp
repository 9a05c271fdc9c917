// The class library's image list, the picture lists that wrap image lists
// and pictures, bitmaps from the program's resources, and list items
// streamed inside their lists as child components.

#include "components/foundations/Sclcont.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QResource>

#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/ExtCtrls_Controls.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/ImgList.h"

namespace {

// Count frames of W x H side by side: frame i filled with Colors[i], its
// top-left pixel in Key.
std::unique_ptr<TBitmap> Strip(int W, int H, const std::vector<TColor>& Colors, TColor Key)
{
    auto strip = std::make_unique<TBitmap>();
    strip->SetPixelFormat(pf32bit);
    strip->SetSize(W * static_cast<int>(Colors.size()), H);
    for (std::size_t i = 0; i < Colors.size(); ++i)
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                strip->Canvas()->SetPixels(static_cast<int>(i) * W + x, y, x == 0 && y == 0 ? Key : Colors[i]);
    return strip;
}

std::unique_ptr<TBitmap> Target(int W, int H, TColor Color)
{
    auto target = std::make_unique<TBitmap>();
    target->SetPixelFormat(pf32bit);
    target->SetSize(W, H);
    target->Canvas()->Brush()->SetColor(Color);
    target->Canvas()->FillRect(RECT{0, 0, W, H});
    return target;
}

TColor At(TBitmap& Bitmap, int X, int Y) { return Bitmap.Canvas()->Pixels(X, Y); }

// Counts the changes a holder hears through its link.
struct Link_Counter {
    TSCLChangeLink link;
    int changes = 0;
    explicit Link_Counter(TSCLBaseContainer& List)
    {
        link.OnChange = [this](TObject*) { ++changes; };
        List.RegisterChanges(&link);
    }
};

constexpr TColor Key = 0x00FF00FF;

} // namespace

// ---- The class library's image list -------------------------------------------------

TEST(ImgList, AddCutsAStripIntoImagesAndRefusesOtherSizes)
{
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(3);
    int changes = 0;
    TChangeLink link;
    link.OnChange = [&](TObject*) { ++changes; };
    list.RegisterChanges(&link);

    EXPECT_EQ(list.Add(Strip(4, 3, {clRed, clLime, clBlue}, clRed).get(), nullptr), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Add(nullptr, nullptr), -1);
    EXPECT_THROW(list.Add(Strip(4, 2, {clRed}, clRed).get(), nullptr), EInvalidGraphicOperation);
    EXPECT_THROW(list.Add(Target(6, 3, clRed).get(), nullptr), EInvalidGraphicOperation);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(changes, 1);

    TBitmap image;
    list.GetBitmap(2, &image);
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(At(image, 2, 2), clBlue);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    list.SetWidth(8);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(changes, 3);
}

TEST(ImgList, MaskedImagesLeaveTheCanvasUnderTransparentPixels)
{
    TImageList list(nullptr);
    list.SetWidth(3);
    list.SetHeight(3);
    list.AddMasked(Strip(3, 3, {clLime}, Key).get(), Key);
    auto target = Target(5, 5, clWhite);
    list.Draw(target->Canvas(), 1, 1, 0);
    EXPECT_EQ(At(*target, 1, 1), clWhite); // the key pixel
    EXPECT_EQ(At(*target, 2, 1), clLime);
    EXPECT_EQ(At(*target, 3, 3), clLime);
    EXPECT_EQ(At(*target, 4, 4), clWhite);

    // A mask given with the image: black opaque, white transparent.
    TImageList with_mask(nullptr);
    with_mask.SetWidth(2);
    with_mask.SetHeight(1);
    auto mask = Target(2, 1, clBlack);
    mask->Canvas()->SetPixels(1, 0, clWhite);
    with_mask.Add(Target(2, 1, clRed).get(), mask.get());
    auto second = Target(2, 1, clBlue);
    with_mask.Draw(second->Canvas(), 0, 0, 0);
    EXPECT_EQ(At(*second, 0, 0), clRed);
    EXPECT_EQ(At(*second, 1, 0), clBlue);

    // Disabled: grey.
    list.Draw(target->Canvas(), 1, 1, 0, false);
    const TColor grey = At(*target, 2, 1);
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
    EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);
}

// ---- The connector ------------------------------------------------------------------

TEST(Sclcont_Connector, ItemsAreTheWrappedImageLists)
{
    TComponent owner(nullptr);
    auto* small = new TImageList(&owner);
    small->SetWidth(4);
    small->SetHeight(4);
    small->Add(Strip(4, 4, {clRed, clLime}, Key).get(), nullptr);
    auto* large = new TImageList(&owner);
    large->SetName("Large");
    large->SetWidth(6);
    large->SetHeight(5);

    TSCLImageListConnector connector(nullptr);
    TSCLBorImageListItem* first = connector.ImageLists()->Add();
    first->SetName("Small");
    first->SetImageList(small);
    connector.ImageLists()->Add()->SetImageList(large);
    connector.ImageLists()->Add();

    EXPECT_TRUE(SCLIsCollectionImageList(&connector));
    EXPECT_FALSE(SCLIsSingleItemImageList(&connector));
    EXPECT_EQ(connector.Count(), 3);
    EXPECT_EQ(connector.GetItem(0)->Description, "Small");
    EXPECT_EQ(connector.GetItem(1), connector.GetItem(0)); // one shared item
    EXPECT_EQ(connector.GetItem(1)->Description, "");
    EXPECT_THROW(connector.GetItem(3), EListError);
    EXPECT_EQ(connector.ImageLists()->Items(1)->DisplayName(), "Large");

    EXPECT_EQ(connector.Dimensions(1, 0), 6);
    EXPECT_EQ(connector.Dimensions(1, 1), 5);
    EXPECT_EQ(connector.Dimensions(3, 0), 0);
    const RECT rect = connector.ItemRect(0, 1);
    EXPECT_EQ(rect.right, 4);
    EXPECT_EQ(rect.bottom, 4);
    EXPECT_EQ(connector.ItemCount(0), 2);
    EXPECT_EQ(connector.ItemCount(1), 0);
    EXPECT_EQ(connector.ItemCount(2), -1);
    EXPECT_EQ(connector.ItemCount(3), -1);
    EXPECT_TRUE(connector.IsValidItem(0, 1));
    EXPECT_FALSE(connector.IsValidItem(0, 2));
    EXPECT_FALSE(connector.IsValidItem(2, 0));
    EXPECT_TRUE(connector.Masked(0));
    EXPECT_EQ(connector.Palette(0), nullptr);
    EXPECT_EQ(connector.GetColorAtPoint(POINT{1, 1}, 0, 0), clWhite);
    EXPECT_EQ(connector.BmpCanvas(0), nullptr);

    TBitmap fetched;
    connector.GetBitmapItem(0, 1, &fetched);
    EXPECT_EQ(At(fetched, 2, 2), clLime);
    // The fetched image's bottom-left pixel.
    EXPECT_EQ(connector.TransparentColor(0, 1), clLime);
    EXPECT_EQ(connector.TransparentColor(2, 0), clNone);

    auto target = Target(6, 6, clWhite);
    connector.Draw(target->Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(At(*target, 2, 2), clRed);
    EXPECT_EQ(At(*target, 5, 5), clWhite);
}

TEST(Sclcont_Connector, WrappedListChangesAndRemovalReachTheHolders)
{
    auto* images = new TImageList(nullptr);
    TSCLImageListConnector connector(nullptr);
    Link_Counter holder(connector);
    connector.ImageLists()->Add()->SetImageList(images);
    const int after_setup = holder.changes;
    EXPECT_GT(after_setup, 0);

    images->AddMasked(Strip(16, 16, {clRed}, Key).get(), Key);
    EXPECT_EQ(holder.changes, after_setup + 1);

    delete images;
    EXPECT_EQ(connector.ImageLists()->Items(0)->ImageList(), nullptr);
    EXPECT_EQ(connector.ItemCount(0), -1);
    EXPECT_GT(holder.changes, after_setup + 1);
}

// ---- The graphic list ---------------------------------------------------------------

TEST(Sclcont_Graphics, BitmapPicturesAreOneImageEach)
{
    TSCLGraphicList graphics(nullptr);
    Link_Counter holder(graphics);
    TSCLGraphicListItem* item = graphics.Graphics()->Add();
    item->SetName("Logo");
    graphics.Graphics()->Add()->SetName("Empty");
    const int before = holder.changes;
    item->Picture()->SetGraphic(Strip(5, 4, {clBlue}, Key).get());
    EXPECT_GT(holder.changes, before);

    EXPECT_TRUE(SCLIsSingleItemImageList(&graphics));
    EXPECT_EQ(graphics.Count(), 2);
    EXPECT_EQ(graphics.GetItem(0)->Description, "Logo");
    EXPECT_EQ(graphics.Dimensions(0, 0), 5);
    EXPECT_EQ(graphics.Dimensions(0, 1), 4);
    EXPECT_EQ(graphics.ItemCount(0), 1);
    EXPECT_EQ(graphics.ItemCount(1), 0);
    EXPECT_FALSE(graphics.IsValidItem(1, 0));
    EXPECT_FALSE(graphics.IsValidItem(2, 0));
    const RECT empty = graphics.ItemRect(1, 0);
    EXPECT_EQ(empty.right, 0);
    EXPECT_EQ(graphics.TransparentColor(1, 0), clNone);
    EXPECT_EQ(graphics.TransparentColor(0, 0), clBlue);
    EXPECT_FALSE(graphics.Masked(0));

    TBitmap copy;
    graphics.GetBitmapItem(0, 0, &copy);
    EXPECT_EQ(copy.Width(), 5);
    EXPECT_EQ(At(copy, 0, 0), Key);
    EXPECT_EQ(At(copy, 3, 2), clBlue);

    auto target = Target(8, 8, clWhite);
    graphics.Draw(target->Canvas(), 2, 2, 0, 0);
    EXPECT_EQ(At(*target, 3, 3), clBlue);
    EXPECT_EQ(At(*target, 7, 7), clWhite);
}

// ---- Bitmaps from the program's resources ---------------------------------------------

namespace {

// A resource tree holding one file, bitmaps/<Name>, in the resource
// system's binary layout (version 1): nodes of 14 bytes, names with their
// hash, data with their size; numbers big-endian.
class One_File_Resource {
public:
    One_File_Resource(const std::string& Name, const QByteArray& Data)
    {
        const std::vector<std::string> names = {"bitmaps", Name};
        std::vector<unsigned char> name_bytes;
        std::vector<std::uint32_t> name_offsets;
        for (const std::string& name : names) {
            name_offsets.push_back(static_cast<std::uint32_t>(name_bytes.size()));
            Put(name_bytes, name.size(), 2);
            Put(name_bytes, Hash(name), 4);
            for (char c : name)
                Put(name_bytes, static_cast<unsigned char>(c), 2);
        }
        std::vector<unsigned char> tree;
        Directory(tree, 0, 1, 1);                // root: one child, node 1
        Directory(tree, name_offsets[0], 1, 2);  // bitmaps: one child, node 2
        Put(tree, name_offsets[1], 4);           // the file: flags, territory, language C, data
        Put(tree, 0, 2);
        Put(tree, 0, 2);
        Put(tree, 1, 2);
        Put(tree, 0, 4);
        std::vector<unsigned char> data;
        Put(data, static_cast<std::uint32_t>(Data.size()), 4);
        data.insert(data.end(), Data.begin(), Data.end());

        const std::uint32_t header = 20;
        bytes = {'q', 'r', 'e', 's'};
        Put(bytes, 1, 4);
        Put(bytes, header, 4);
        Put(bytes, header + static_cast<std::uint32_t>(tree.size()), 4);
        Put(bytes, header + static_cast<std::uint32_t>(tree.size() + data.size()), 4);
        for (const auto* part : {&tree, &data, &name_bytes})
            bytes.insert(bytes.end(), part->begin(), part->end());
        registered = QResource::registerResource(bytes.data());
    }
    ~One_File_Resource()
    {
        if (registered)
            QResource::unregisterResource(bytes.data());
    }
    One_File_Resource(const One_File_Resource&) = delete;
    One_File_Resource& operator=(const One_File_Resource&) = delete;
    bool Registered() const { return registered; }

private:
    static void Put(std::vector<unsigned char>& out, std::uint64_t value, int size)
    {
        for (int i = size - 1; i >= 0; --i)
            out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
    static void Directory(std::vector<unsigned char>& tree, std::uint32_t name, std::uint32_t count,
                          std::uint32_t first)
    {
        Put(tree, name, 4);
        Put(tree, 2, 2);
        Put(tree, count, 4);
        Put(tree, first, 4);
    }
    static std::uint32_t Hash(const std::string& name)
    {
        std::uint32_t h = 0;
        for (char c : name) {
            h = (h << 4) + static_cast<unsigned char>(c);
            h ^= (h & 0xf0000000u) >> 23;
            h &= 0x0fffffffu;
        }
        return h;
    }

    std::vector<unsigned char> bytes;
    bool registered = false;
};

QByteArray Png_Of(int W, int H, QRgb Color)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Color);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

TEST(Sclcont_Resources, AppResourceItemLoadsTheBitmapNamedByItsNumber)
{
    One_File_Resource resource("1234.png", Png_Of(7, 5, qRgb(0x10, 0x20, 0x30)));
    ASSERT_TRUE(resource.Registered());
    TSCLBitmapList list(nullptr);
    list.Add();
    list.Items(0)->Ident = 1234;
    // Outside the program's resources nothing loads.
    EXPECT_TRUE(list.Items(0)->GetBitmap()->Empty());
    list.SetSource(sdAppResource);
    TBitmap* bitmap = list.Items(0)->GetBitmap();
    ASSERT_EQ(bitmap->Width(), 7);
    EXPECT_EQ(bitmap->Height(), 5);
    EXPECT_EQ(At(*bitmap, 3, 2), 0x00302010u);
    EXPECT_TRUE(list.IsValidItem(0, 0));
}

TEST(Sclcont_Resources, AppResourceItemWithoutSuchBitmapStaysEmpty)
{
    TSCLBitmapList list(nullptr);
    list.Add();
    list.Items(0)->Ident = 4321;
    list.SetSource(sdAppResource);
    TBitmap* bitmap = nullptr;
    EXPECT_NO_THROW(bitmap = list.Items(0)->GetBitmap());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(bitmap->Empty());
}

// ---- Items as child components ----------------------------------------------------------

TEST(Sclcont_Streaming, ListItemsAreWrittenInsideTheirListAndReadBackIntoIt)
{
    TComponent form(nullptr);
    form.SetName("Form1");
    auto* bitmaps = new TSCLBitmapList(&form);
    bitmaps->SetName("Bitmaps");
    bitmaps->Add();
    bitmaps->Items(0)->Description = "Logo";
    bitmaps->Items(0)->Ident = 3;
    bitmaps->Items(0)->SetBitmap(Strip(3, 2, {clRed}, Key).get());
    bitmaps->Add();
    bitmaps->Items(1)->Description = "Blank";
    auto* strips = new TSCLImageList(&form);
    strips->SetName("Strips");
    strips->Add();
    strips->Items(0)->SetWidth(2);
    strips->Items(0)->SetHeight(2);
    strips->Items(0)->Add(Strip(2, 2, {clLime}, Key).get(), nullptr);
    strips->Items(0)->Add(Strip(2, 2, {clBlue}, Key).get(), nullptr);

    const std::string text = WriteComponentText(&form);
    EXPECT_NE(text.find("TSCLBitmapListItem"), std::string::npos);
    EXPECT_NE(text.find("TSCLImageListItem"), std::string::npos);

    TComponent copy(nullptr);
    ReadComponentText(text, "copy", &copy, TForm_Table());
    auto* read_bitmaps = dynamic_cast<TSCLBitmapList*>(copy.FindComponent("Bitmaps"));
    ASSERT_NE(read_bitmaps, nullptr);
    ASSERT_EQ(read_bitmaps->Count(), 2);
    EXPECT_EQ(read_bitmaps->Items(0)->Owner(), read_bitmaps);
    EXPECT_EQ(read_bitmaps->Items(0)->Description, "Logo");
    EXPECT_EQ(read_bitmaps->Items(0)->Ident, 3);
    TBitmap* bitmap = read_bitmaps->Items(0)->GetBitmap();
    EXPECT_EQ(bitmap->Width(), 3);
    EXPECT_EQ(At(*bitmap, 2, 1), clRed);
    EXPECT_EQ(read_bitmaps->Items(1)->Description, "Blank");
    auto* read_strips = dynamic_cast<TSCLImageList*>(copy.FindComponent("Strips"));
    ASSERT_NE(read_strips, nullptr);
    ASSERT_EQ(read_strips->Count(), 1);
    EXPECT_EQ(read_strips->Items(0)->Count(), 2);
    TBitmap image;
    read_strips->Items(0)->GetBitmap(1, &image);
    EXPECT_EQ(At(image, 1, 1), clBlue);
    // Written again, the copy gives the same text.
    EXPECT_EQ(WriteComponentText(&copy), text);
}

TEST(Sclcont_Streaming, ConnectorAndGraphicListKeepTheirCollections)
{
    TComponent form(nullptr);
    form.SetName("Form1");
    auto* images = new TImageList(&form);
    images->SetName("Images");
    images->SetWidth(8);
    auto* connector = new TSCLImageListConnector(&form);
    connector->SetName("Connector");
    TSCLBorImageListItem* item = connector->ImageLists()->Add();
    item->SetName("Eight");
    item->SetImageList(images);
    auto* graphics = new TSCLGraphicList(&form);
    graphics->SetName("Graphics");
    TSCLGraphicListItem* picture = graphics->Graphics()->Add();
    picture->SetName("Logo");
    picture->Picture()->SetGraphic(Strip(3, 3, {clBlue}, Key).get());

    const std::string text = WriteComponentText(&form);
    TComponent copy(nullptr);
    ReadComponentText(text, "copy", &copy, TForm_Table());
    auto* read_connector = dynamic_cast<TSCLImageListConnector*>(copy.FindComponent("Connector"));
    ASSERT_NE(read_connector, nullptr);
    ASSERT_EQ(read_connector->Count(), 1);
    EXPECT_EQ(read_connector->ImageLists()->Items(0)->Name(), "Eight");
    EXPECT_EQ(read_connector->ImageLists()->Items(0)->ImageList(), copy.FindComponent("Images"));
    EXPECT_EQ(read_connector->Dimensions(0, 0), 8);
    auto* read_graphics = dynamic_cast<TSCLGraphicList*>(copy.FindComponent("Graphics"));
    ASSERT_NE(read_graphics, nullptr);
    ASSERT_EQ(read_graphics->Count(), 1);
    EXPECT_EQ(read_graphics->GetItem(0)->Description, "Logo");
    EXPECT_EQ(read_graphics->Dimensions(0, 0), 3);
}
