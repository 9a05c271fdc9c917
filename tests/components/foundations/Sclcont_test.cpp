// Picture lists: stored layout round trips, readers on damaged data, strip
// drawing with its transparent colour, change links, global names, and the
// checks on indices and sizes.

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclcontainercomponent.h"
#include "components/foundations/Sclstreamutils.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"

#include "tests/support/Scoped_Variable.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// A strip of Count frames of Size x Size: frame i filled with Colors[i],
// its left column and bottom row in Key (the transparent colour).
void Paint_Strip(TBitmap& Strip, int Size, const std::vector<TColor>& Colors, TColor Key)
{
    const int count = static_cast<int>(Colors.size());
    Strip.SetPixelFormat(pf24bit);
    Strip.SetSize(Size * count, Size);
    for (int i = 0; i < count; ++i)
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
                Strip.Canvas()->SetPixels(i * Size + x, y, x == 0 || y == Size - 1 ? Key : Colors[i]);
}

Bytes Stream_Bytes(TMemoryStream& Stream)
{
    const auto* data = static_cast<const unsigned char*>(Stream.Memory());
    return Bytes(data, data + Stream.Size());
}

Bytes File_Bytes(const std::filesystem::path& Path)
{
    std::ifstream file(Path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

void Fill(TMemoryStream& Stream, const Bytes& Data)
{
    if (!Data.empty())
        Stream.WriteBuffer(Data.data(), static_cast<int>(Data.size()));
    Stream.SetPosition(0);
}

// An image list of two strips (one masked) and a bitmap list of two bitmaps.
void Fill_Lists(TSCLImageList& Images, TSCLBitmapList& Bitmaps)
{
    TBitmap strip;
    Paint_Strip(strip, 4, {clRed, clLime, clBlue}, clFuchsia);
    auto* led = Images.Items(Images.Add());
    led->ConvertBmpToIML(&strip, 3, false);
    led->Description = "Led";
    auto* coche = Images.Items(Images.Add());
    coche->ConvertBmpToIML(&strip, 3, true);
    coche->Description = "Coche";

    Bitmaps.Add();
    Bitmaps.Items(0)->SetBitmap(&strip);
    Bitmaps.Items(Bitmaps.Add())->SetBitmap(&strip);
    Bitmaps.Items(1)->Ident = 1;
}

Bytes List_File(TSCLCustomContainer& List)
{
    TMemoryStream stream;
    const std::string ident = SCLICIdent(List.ListKind());
    stream.WriteBuffer(ident.data(), static_cast<int>(ident.size()));
    List.WriteData(stream, true);
    return Stream_Bytes(stream);
}

std::int32_t Int_At(const Bytes& Data, std::size_t At)
{
    return static_cast<std::int32_t>(Data[At] | Data[At + 1] << 8 | Data[At + 2] << 16 |
                                     static_cast<std::uint32_t>(Data[At + 3]) << 24);
}

void Put_Int(Bytes& Data, std::size_t At, std::int32_t Value)
{
    const auto v = static_cast<std::uint32_t>(Value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                    static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    ASSERT_LE(At + 4, Data.size());
    std::copy(std::begin(bytes), std::end(bytes), Data.begin() + static_cast<long>(At));
}

} // namespace

// ---- Stored layout ----------------------------------------------------------------

TEST(Sclcont_Files, ListFilesReadBackByteIdentical)
{
    const auto folder = Make_Temp_Folder("sclcont");
    TSCLImageList images(nullptr);
    TSCLBitmapList bitmaps(nullptr);
    Fill_Lists(images, bitmaps);

    for (TSCLCustomContainer* list : std::initializer_list<TSCLCustomContainer*>{&images, &bitmaps}) {
        const auto first = folder / ("first" + SCLICGetSuffix(list->ListKind(), true));
        const auto second = folder / ("second" + SCLICGetSuffix(list->ListKind(), true));
        list->SaveToFile(first.string());
        TMemoryStream stream;
        stream.LoadFromFile(first.string());
        auto read = SCLReadListStream(stream);
        ASSERT_EQ(read->ListKind(), list->ListKind());
        ASSERT_EQ(read->Count(), 2);
        read->SaveToFile(second.string());
        EXPECT_EQ(File_Bytes(first), File_Bytes(second)) << first;
    }
    std::filesystem::remove_all(folder);
}

TEST(Sclcont_Files, RecordsCarryTheirFlagsAndPositions)
{
    TSCLImageList images(nullptr);
    TSCLBitmapList bitmaps(nullptr);
    Fill_Lists(images, bitmaps);
    const Bytes file = List_File(bitmaps);

    EXPECT_EQ(Bytes(file.begin(), file.begin() + 9), Bytes({8, 'S', 'C', 'L', 'B', 'M', 'L', '3', '0'}));
    EXPECT_EQ(Int_At(file, 9), 2);
    const auto first = static_cast<std::size_t>(Int_At(file, 13));
    const auto second = static_cast<std::size_t>(Int_At(file, 17));
    EXPECT_EQ(first, 21u);
    EXPECT_EQ(file[first], 8) << "payload only";
    EXPECT_EQ(file[second], 12) << "payload and ident";
    EXPECT_EQ(Int_At(file, second + 1), 1);

    std::int32_t count = 0;
    std::vector<std::int64_t> positions;
    TMemoryStream stream;
    Fill(stream, file);
    EXPECT_EQ(SCLListGetStreamType(stream, count, &positions), icBitmap);
    EXPECT_EQ(positions, (std::vector<std::int64_t>{21, static_cast<std::int64_t>(second)}));

    TSCLBitmapListItem item(nullptr);
    ASSERT_TRUE(SCLListGetItemFromStream(stream, &positions, 1, &item));
    EXPECT_EQ(item.Ident, 1);
    EXPECT_EQ(item.GetBitmap()->Width(), 12);
    EXPECT_FALSE(SCLListGetItemFromStream(stream, &positions, 2, &item));

    Bytes other_length = file;
    other_length[0] = 7;
    TMemoryStream invalid;
    Fill(invalid, other_length);
    EXPECT_EQ(SCLListGetStreamType(invalid, count, &positions), icInvalid);
}

TEST(Sclcont_Files, SingleImageItemFileAndItsReaders)
{
    const auto folder = Make_Temp_Folder("sclcont");
    TBitmap strip;
    Paint_Strip(strip, 4, {clRed, clBlue}, clFuchsia);
    TSCLImageListItem item(4, 4);
    item.ConvertBmpToIML(&strip, 2, true);
    const auto path = (folder / "one.iml").string();
    item.SaveToFile(path);

    const Bytes file = File_Bytes(path);
    EXPECT_EQ(Int_At(file, 9), 1);
    EXPECT_EQ(Int_At(file, 13), 17);
    TSCLImageListItem read(nullptr);
    read.LoadFromFile(path);
    EXPECT_EQ(read.Count(), 2);
    EXPECT_TRUE(read.Masked());
    EXPECT_EQ(read.GetColorAtPoint(POINT{2, 1}, 1), clBlue);
    TSCLImageListItem by_index(nullptr);
    EXPECT_TRUE(SCLIMLGetItem(path, 0, &by_index));
    EXPECT_EQ(by_index.Width(), 4);
    TBitmap bitmap;
    EXPECT_THROW(SCLBMLGetItem(path, 0, &bitmap), Exception) << "an image list is no bitmap list";
    std::filesystem::remove_all(folder);
}

TEST(Sclcont_Files, EveryKindRoundTripsPackedAndPlain)
{
    TBitmap strip;
    Paint_Strip(strip, 4, {clRed, clLime}, clFuchsia);
    for (bool compressed : {false, true}) {
        TSCLBitmapList bitmaps(nullptr);
        auto* bitmap = bitmaps.Items(bitmaps.Add());
        bitmap->SetBitmap(&strip);
        TSCLImageList images(nullptr);
        auto* image = images.Items(images.Add());
        image->ConvertBmpToIML(&strip, 2, true);
        TSCLStringList strings(nullptr);
        auto* text = strings.Items(strings.Add());
        text->Items.SetText("first\r\nsecond line\r\n");
        TSCLGenericList generic(nullptr);
        auto* data = generic.Items(generic.Add());
        data->Data.WriteBuffer("\x01\x02\x03 raw", 7);
        data->FileName = "raw.bin";
        for (TSCLListItem* item : std::initializer_list<TSCLListItem*>{bitmap, image, text, data}) {
            item->Compressed = compressed;
            item->Description = std::string(300, 'd');
        }

        for (TSCLCustomContainer* list :
             std::initializer_list<TSCLCustomContainer*>{&bitmaps, &images, &strings, &generic}) {
            const Bytes file = List_File(*list);
            TMemoryStream stream;
            Fill(stream, file);
            auto read = SCLReadListStream(stream);
            EXPECT_EQ(List_File(*read), file) << list->ClassName() << " compressed " << compressed;
            EXPECT_EQ(read->GetItem(0)->Compressed, compressed);
            EXPECT_EQ(read->GetItem(0)->Description, std::string(255, 'd'))
                << "a long description keeps the 255 characters its length byte can count";
        }
    }
}

TEST(Sclcont_Files, AGenericItemSavesItsDataToANewFileOfThePrivateTemporaryFolderOrNowhere)
{
    namespace fs = std::filesystem;
    const fs::path folder = Make_Temp_Folder("generic-tmp");
    const fs::path shared = folder / "shared";
    fs::create_directory(shared);
    Scoped_Variable shared_temporary("TMPDIR", shared.string());
    TSCLGenericListItem item(nullptr);
    item.Data.WriteBuffer("\x01\x02\x03 raw", 7);
    {
        Scoped_Variable runtime("XDG_RUNTIME_DIR", folder.string());
        const std::string first = item.SaveToTempFile();
        const std::string second = item.SaveToTempFile();
        EXPECT_EQ(fs::path(first).parent_path(), folder);
        EXPECT_NE(first, second) << "each save makes a file of its own";
        EXPECT_EQ(File_Bytes(first), (Bytes{1, 2, 3, ' ', 'r', 'a', 'w'}));
        EXPECT_EQ(File_Bytes(second), File_Bytes(first));
    }
    {
        // Neither a private runtime folder nor a cache folder that can be made.
        std::ofstream(folder / "file") << "";
        Scoped_Variable runtime("XDG_RUNTIME_DIR", (folder / "missing").string());
        Scoped_Variable cache("XDG_CACHE_HOME", (folder / "file").string());
        EXPECT_EQ(item.SaveToTempFile(), "");
        EXPECT_TRUE(fs::is_empty(shared)) << "never the shared temporary folder";
    }
    fs::remove_all(folder);
}

TEST(Sclcont_Files, EmptyListsAndFlagRules)
{
    TSCLStringList strings(nullptr);
    TMemoryStream empty;
    strings.SaveToStream(empty);
    EXPECT_EQ(Stream_Bytes(empty), Bytes({0, 0, 0, 0}));

    // Bits 16 and 64 together: the first one read holds.
    TSCLBitmapListItem item(nullptr);
    TMemoryStream record;
    Fill(record, Bytes{0x50});
    item.ReadData(record);
    EXPECT_EQ(item.PixelFormat, spfMono);
    EXPECT_TRUE(item.GetEmpty());
    EXPECT_EQ(item.WriteFlag(), 0x10);

    TSCLStringListItem plain(nullptr);
    EXPECT_EQ(plain.WriteFlag(), 0) << "no description, no ident, no payload";
}

TEST(Sclcont_Edit, SizeChangesDiscardImages)
{
    TBitmap one;
    Paint_Strip(one, 16, {clRed}, clFuchsia);
    TSCLImageListItem item(nullptr);
    EXPECT_EQ(item.Add(nullptr, nullptr), 0) << "an empty slot";
    item.Add(&one, nullptr);
    item.SetWidth(0);
    item.SetWidth(16);
    EXPECT_EQ(item.Count(), 2) << "0 and the current width change nothing";
    item.SetWidth(8);
    EXPECT_EQ(item.Count(), 0);
    EXPECT_EQ(item.GetImageBitmap()->Width(), 0);
}

// ---- Damaged data -----------------------------------------------------------------

TEST(Sclcont_Damaged, EveryTruncationIsAnError)
{
    TSCLImageList images(nullptr);
    TSCLBitmapList bitmaps(nullptr);
    Fill_Lists(images, bitmaps);
    for (TSCLCustomContainer* list : std::initializer_list<TSCLCustomContainer*>{&images, &bitmaps}) {
        const Bytes file = List_File(*list);
        for (std::size_t size = 0; size < file.size(); ++size) {
            TMemoryStream stream;
            Fill(stream, Bytes(file.begin(), file.begin() + static_cast<long>(size)));
            EXPECT_THROW(SCLReadListStream(stream), Exception) << "cut at " << size;
        }
    }
}

TEST(Sclcont_Damaged, CorruptedHeadersAreErrorsNamingTheFault)
{
    TSCLImageList images(nullptr);
    TSCLBitmapList bitmaps(nullptr);
    Fill_Lists(images, bitmaps);
    const Bytes image_file = List_File(images);
    const auto first = static_cast<std::size_t>(Int_At(image_file, 13));
    // Image record: flags, "Led" (4 bytes), height, width, AllocBy, masked, count, strip length.
    const std::size_t height_at = first + 5;
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        const char* message;
    };
    const std::vector<Case> cases{
        {"huge count", [](Bytes& d) { Put_Int(d, 9, 0x7FFFFFFF); }, "item count"},
        {"negative count", [](Bytes& d) { Put_Int(d, 9, -1); }, "item count"},
        {"zero width", [&](Bytes& d) { Put_Int(d, height_at + 4, 0); }, "image size"},
        {"negative height", [&](Bytes& d) { Put_Int(d, height_at, -4); }, "image size"},
        {"image count past the strip limit", [&](Bytes& d) { Put_Int(d, height_at + 13, 9000); }, "image count"},
        {"more images than the strip holds", [&](Bytes& d) { Put_Int(d, height_at + 13, 4); }, "strip"},
        {"mask flag", [&](Bytes& d) { d[height_at + 12] = 7; }, "mask flag"},
        {"strip length past the end", [&](Bytes& d) { Put_Int(d, height_at + 17, 1 << 30); }, "length"},
        {"negative strip length", [&](Bytes& d) { Put_Int(d, height_at + 17, -5); }, "length"},
    };
    for (const Case& c : cases) {
        Bytes data = image_file;
        c.damage(data);
        TMemoryStream stream;
        Fill(stream, data);
        try {
            SCLReadListStream(stream);
            ADD_FAILURE() << c.name << ": read without error";
        } catch (const Exception& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.name << ": " << e.what();
        }
    }

    Bytes positions = image_file;
    Put_Int(positions, 13, 1 << 20);
    TMemoryStream stream;
    Fill(stream, positions);
    std::int32_t count = 0;
    std::vector<std::int64_t> table;
    EXPECT_THROW(SCLListGetStreamType(stream, count, &table), EReadError) << "a position outside the file";
}

TEST(Sclcont_Damaged, FlippedBytesNeverOverrun)
{
    TSCLImageList images(nullptr);
    TSCLBitmapList bitmaps(nullptr);
    Fill_Lists(images, bitmaps);
    for (TSCLCustomContainer* list : std::initializer_list<TSCLCustomContainer*>{&images, &bitmaps}) {
        const Bytes file = List_File(*list);
        for (std::size_t at = 9; at < std::min<std::size_t>(file.size(), 160); ++at)
            for (unsigned char value : {0x00, 0x7F, 0xFF}) {
                Bytes data = file;
                data[at] = value;
                TMemoryStream stream;
                Fill(stream, data);
                try {
                    SCLReadListStream(stream);
                } catch (const Exception&) {
                    // An error is a fine answer; an overrun is what must not happen.
                }
            }
    }
}

// ---- Drawing ----------------------------------------------------------------------

TEST(Sclcont_Draw, StripFrameLeavesItsTransparentColourOut)
{
    TBitmap strip;
    Paint_Strip(strip, 4, {clRed, clLime, clBlue}, clFuchsia);
    for (bool masked : {true, false}) {
        TSCLImageList list(nullptr);
        auto* item = list.Items(list.Add());
        item->ConvertBmpToIML(&strip, 3, masked);
        // A masked strip keeps black where its mask is white.
        EXPECT_EQ(list.TransparentColor(0, 1), masked ? clBlack : clFuchsia);

        TBitmap target;
        target.SetPixelFormat(pf24bit);
        target.SetSize(8, 8);
        target.Canvas()->Brush()->SetColor(clYellow);
        target.Canvas()->FillRect(RECT{0, 0, 8, 8});
        if (masked)
            list.Draw(target.Canvas(), 2, 2, 0, 1);
        else
            list.DrawExt(target.Canvas(), RECT{2, 2, 6, 6}, SCLBD_TRANSPARENT, 0, 1);

        EXPECT_EQ(target.Canvas()->Pixels(3, 2), clLime) << "masked " << masked;
        EXPECT_EQ(target.Canvas()->Pixels(5, 4), clLime) << "masked " << masked;
        EXPECT_EQ(target.Canvas()->Pixels(2, 2), clYellow) << "left column, masked " << masked;
        EXPECT_EQ(target.Canvas()->Pixels(4, 5), clYellow) << "bottom row, masked " << masked;
        EXPECT_EQ(target.Canvas()->Pixels(6, 3), clYellow) << "right of the frame, masked " << masked;
    }
}

TEST(Sclcont_Draw, BadIndicesDrawAndAnswerNothing)
{
    TBitmap strip;
    Paint_Strip(strip, 4, {clRed, clLime}, clFuchsia);
    TSCLImageList list(nullptr);
    list.Items(list.Add())->ConvertBmpToIML(&strip, 2, false);
    TBitmap target;
    target.SetSize(4, 4);
    target.Canvas()->Brush()->SetColor(clYellow);
    target.Canvas()->FillRect(RECT{0, 0, 4, 4});
    for (auto [list_index, image_index] : {std::pair{0, 2}, {0, -1}, {1, 0}, {-1, 0}}) {
        list.Draw(target.Canvas(), 0, 0, list_index, image_index);
        EXPECT_FALSE(list.IsValidItem(list_index, image_index));
    }
    EXPECT_EQ(target.Canvas()->Pixels(2, 1), clYellow);
    EXPECT_EQ(list.ItemCount(1), -1);
    EXPECT_EQ(list.GetColorAtPoint(POINT{1, 0}, 0, 1), clLime) << "image-local, top row";
    EXPECT_EQ(list.GetColorAtPoint(POINT{1, 4}, 0, 1), clNone) << "below the image";
    EXPECT_EQ(list.GetColorAtPoint(POINT{4, 0}, 0, 0), clNone) << "into the next image";
    EXPECT_THROW(list.Items(0)->Replace(5, &strip, nullptr), EListError);
}

// ---- Editing checks ----------------------------------------------------------------

TEST(Sclcont_Edit, StripGrowthAndLimits)
{
    TBitmap one;
    Paint_Strip(one, 16, {clRed}, clFuchsia);
    TSCLImageListItem item(16, 16);
    item.Add(&one, nullptr);
    EXPECT_EQ(item.GetImageBitmap()->Width(), 64) << "grows by AllocBy images";

    for (int alloc_by : {0, -3}) {
        TSCLImageListItem small(16, 16);
        small.AllocBy = alloc_by;
        EXPECT_EQ(small.Add(&one, nullptr), 0);
        EXPECT_EQ(small.Add(&one, nullptr), 1);
        EXPECT_EQ(small.GetImageBitmap()->Width(), 32) << "AllocBy " << alloc_by << " still makes room";
        EXPECT_EQ(small.GetColorAtPoint(POINT{5, 5}, 1), clRed);
    }

    TSCLImageListItem wide(16, 16);
    wide.AllocBy = 2048;
    EXPECT_EQ(wide.Add(&one, nullptr), 0) << "32768 pixels exactly";
    TSCLImageListItem wider(16, 16);
    wider.AllocBy = 2049;
    try {
        wider.Add(&one, nullptr);
        ADD_FAILURE() << "past 32768 pixels";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Trop d'images");
    }
    EXPECT_EQ(wider.Count(), 0);

    TBitmap wrong;
    wrong.SetSize(10, 16);
    EXPECT_THROW(item.Add(&wrong, nullptr), EInvalidGraphicOperation);
    EXPECT_EQ(item.Add(nullptr, &one), -1);
}

TEST(Sclcont_Edit, MoveAndDeleteKeepImageOrder)
{
    TBitmap strip;
    Paint_Strip(strip, 4, {clRed, clLime, clBlue}, clFuchsia);
    TSCLImageListItem item(nullptr);
    item.ConvertBmpToIML(&strip, 3, true);
    item.Move(0, 2);
    EXPECT_EQ(item.GetColorAtPoint(POINT{2, 1}, 0), clLime);
    EXPECT_EQ(item.GetColorAtPoint(POINT{2, 1}, 2), clRed);
    item.Delete(0);
    EXPECT_EQ(item.Count(), 2);
    EXPECT_EQ(item.GetImageRect(1).left, 4);
    EXPECT_EQ(item.GetColorAtPoint(POINT{2, 1}, 1), clRed);
}

TEST(Sclcont_Edit, MessagesNameWhatWasRefused)
{
    TSCLImageList list(nullptr);
    list.Add();
    try {
        list.SetIndex(5);
        ADD_FAILURE() << "index past the list";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Indice de liste hors limites (5)");
    }
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_THROW(list.SetIndex(-1), EInvalidGraphicOperation);

    TSCLImageListItem item(nullptr);
    try {
        item.LoadFromBitmap("/nonexistent/pic.bmp", 2, false);
        ADD_FAILURE() << "a missing file";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Impossible d'ouvrir le fichier /nonexistent/pic.bmp");
    }
    TBitmap bitmap;
    EXPECT_FALSE(SCLBmpLoadFromFile("/nonexistent/lib.so", 1, &bitmap));
}

// ---- Change links and global names -------------------------------------------------

TEST(Sclcont_Links, LinksHearEveryStructuralChange)
{
    auto list = std::make_unique<TSCLImageList>(nullptr);
    int heard = 0;
    int own = 0;
    TObject* sender = nullptr;
    TSCLChangeLink link;
    link.OnChange = [&](TObject* s) {
        ++heard;
        sender = s;
    };
    list->OnChange = [&](TObject*) { ++own; };
    list->RegisterChanges(&link);

    list->Add();
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(sender, list.get());

    TMemoryStream empty;
    stWriteInteger(empty, 0);
    empty.SetPosition(0);
    heard = own = 0;
    list->LoadFromStream(empty);
    EXPECT_EQ(heard, 2) << "the clear and the end of the read";
    EXPECT_EQ(own, 1);

    {
        TSCLChangeLink gone;
        list->RegisterChanges(&gone);
    }
    heard = 0;
    list->Add();
    EXPECT_EQ(heard, 1) << "a destroyed link is no longer called";

    list.reset();
    EXPECT_EQ(link.Sender, nullptr) << "the list let its links go";
}

TEST(Sclcont_Global, ContainerFoundByItsGlobalNames)
{
    ASSERT_NE(SCLContainer, nullptr);
    EXPECT_EQ(SCLGlobalList("SCLBML30"), SCLContainer->BitmapList());
    EXPECT_EQ(SCLGlobalList("SCLIML30"), SCLContainer->ImageList());
    EXPECT_EQ(SCLGlobalList("sclbml30"), nullptr);
    EXPECT_EQ(SCLGlobalList("SCLWVL30"), nullptr);
    EXPECT_EQ(SCLGlobalIdent(SCLContainer->ImageList()), "SCLIML30");

    TSCLImageList local(nullptr);
    EXPECT_FALSE(SCLIsGlobalIdent(&local));

    int changes = 0;
    struct Counting : TSCLContainerComponent {
        using TSCLContainerComponent::TSCLContainerComponent;
        std::function<void()> Counted;
        void GetIMLChange(TObject*) override { Counted(); }
    } component(nullptr);
    component.Counted = [&] { ++changes; };
    component.SetImageList(SCLGlobalList("SCLIML30"));
    EXPECT_EQ(changes, 1);
    SCLContainer->ImageList()->Add();
    EXPECT_EQ(changes, 2) << "the global list's change reaches the component";
    SCLContainer->ImageList()->Clear();
    component.SetImageList(&local);
    component.SetImageList(nullptr);
}

namespace {

class TTest_Dialog : public TSCLContainerComponent {
public:
    using TSCLContainerComponent::TSCLContainerComponent;
};

const bool Test_Dialog_Registered = [] {
    RegisterComponentClass<TTest_Dialog, TSCLContainerComponent>("TTest_Dialog");
    return true;
}();

} // namespace

TEST(Sclcont_Global, FormDataNamesTheGlobalListByIdentifier)
{
    for (auto [ident, expected] : {std::pair<const char*, TSCLCustomImageList*>{"SCLIML30", SCLContainer->ImageList()},
                                   {"SCLBML30", SCLContainer->BitmapList()},
                                   {"sclbml30", nullptr},
                                   {"SCLWVL30", nullptr}}) {
        const std::string text = std::string("object Dialog: TTest_Dialog\n  Internal = '") + ident + "'\nend\n";
        std::unique_ptr<TComponent> dialog(CreateComponentFromText(text, "Dialog", nullptr));
        auto* component = dynamic_cast<TTest_Dialog*>(dialog.get());
        ASSERT_NE(component, nullptr);
        EXPECT_EQ(component->ImageList(), expected) << ident;
        const std::string written = WriteComponentText(component);
        EXPECT_EQ(written.find(std::string("Internal = '") + ident + "'") != std::string::npos, expected != nullptr)
            << written;
    }
}
