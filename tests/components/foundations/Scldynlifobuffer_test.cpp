#include "components/foundations/Scldynlifobuffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "components/foundations/Sclstreamutils.h"
#include "tests/support/Temp_Settings.h"

namespace {

// Items are malloc'ed zero-terminated texts, so the buffer may free them.
void* Text_Item(const std::string& text)
{
    void* item = std::malloc(text.size() + 1);
    std::memcpy(item, text.c_str(), text.size() + 1);
    return item;
}

std::string Text_Of(void* item) { return item ? static_cast<const char*>(item) : "<null>"; }

// The items from top to bottom, popping them all.
std::vector<std::string> Pop_All(TSCLDynLIFOBuffer& buffer)
{
    std::vector<std::string> texts;
    while (void* item = buffer.Get()) {
        texts.push_back(Text_Of(item));
        std::free(item);
    }
    return texts;
}

void Put_Texts(TSCLDynLIFOBuffer& buffer, const std::vector<std::string>& texts)
{
    for (const std::string& text : texts) {
        void* item = Text_Item(text);
        if (!buffer.Put(item))
            std::free(item);
    }
}

class Text_Buffer : public ::testing::Test {
protected:
    Text_Buffer()
    {
        buffer.OnGetItemSize = [](TObject*, void* item, std::int32_t& size) {
            size = static_cast<std::int32_t>(std::strlen(static_cast<const char*>(item)) + 1);
        };
        buffer.OnDestroyItem = [this](TObject*, void* item) {
            destroyed.push_back(Text_Of(item));
            std::free(item);
        };
    }
    // Declared first: the buffer still disposes of its items when it goes.
    std::vector<std::string> destroyed;
    TSCLDynLIFOBuffer buffer;
};

std::vector<std::uint8_t> Bytes_Of(TMemoryStream& stream)
{
    const auto* data = static_cast<const std::uint8_t*>(stream.Memory());
    return {data, data + stream.Size()};
}

void Fill(TMemoryStream& stream, const std::vector<std::uint8_t>& bytes)
{
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
}

} // namespace

TEST_F(Text_Buffer, FullBufferWithOverwriteDropsTheOldestItem)
{
    buffer.SetMaxCount(3);
    Put_Texts(buffer, {"A", "B", "C", "D"});
    EXPECT_EQ(buffer.Count(), 3);
    EXPECT_EQ(destroyed, std::vector<std::string>{"A"});
    EXPECT_EQ(Pop_All(buffer), (std::vector<std::string>{"D", "C", "B"}));
    EXPECT_TRUE(buffer.isEmpty());
}

TEST_F(Text_Buffer, FullBufferWithoutOverwriteRefusesAndLeavesTheItemToTheCaller)
{
    buffer.SetMaxCount(3);
    buffer.Overwrite = false;
    Put_Texts(buffer, {"A", "B", "C"});
    void* d = Text_Item("D");
    EXPECT_EQ(buffer.Put(d), nullptr);
    std::free(d);
    EXPECT_TRUE(destroyed.empty());
    EXPECT_EQ(Pop_All(buffer), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(Text_Buffer, CapacityOfOneIsClearedForEachNewItem)
{
    buffer.SetMaxCount(1);
    Put_Texts(buffer, {"A", "B"});
    EXPECT_EQ(destroyed, std::vector<std::string>{"A"});
    EXPECT_EQ(Pop_All(buffer), std::vector<std::string>{"B"});
}

TEST_F(Text_Buffer, CapacityOutsideTheContractIsRefused)
{
    buffer.SetMaxCount(0);
    EXPECT_EQ(buffer.MaxCount(), -1);
    buffer.SetMaxCount(-5);
    EXPECT_EQ(buffer.MaxCount(), -1);
    buffer.SetMaxCount(2);
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_FALSE(buffer.isFull());
}

TEST_F(Text_Buffer, NodesWalkFromOldestToNewest)
{
    Put_Texts(buffer, {"A", "B", "C"});
    std::vector<std::string> walked;
    void* node = nullptr;
    for (buffer.FirstNode(node); !buffer.EOFBuffer(node); buffer.NextNode(node))
        walked.push_back(Text_Of(buffer.GetItem(node)));
    EXPECT_EQ(walked, (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(Text_Buffer, ClearAndDestructionDisposeOfEveryItem)
{
    Put_Texts(buffer, {"A", "B"});
    buffer.Clear();
    EXPECT_EQ(destroyed, (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(buffer.Count(), 0);
    std::vector<std::string> gone;
    auto local = std::make_unique<TSCLDynLIFOBuffer>();
    local->OnDestroyItem = [&gone](TObject*, void* item) {
        gone.push_back(Text_Of(item));
        std::free(item);
    };
    Put_Texts(*local, {"X"});
    local.reset();
    EXPECT_EQ(gone, std::vector<std::string>{"X"});
}

TEST(Buffer_Update, UpdateCounterNeverGoesBelowZero)
{
    TSCLDynLIFOBuffer buffer;
    buffer.BeginUpdate();
    EXPECT_TRUE(buffer.Updating());
    buffer.EndUpdate();
    buffer.EndUpdate();
    EXPECT_FALSE(buffer.Updating());
    buffer.BeginUpdate();
    EXPECT_TRUE(buffer.Updating());
}

TEST_F(Text_Buffer, StreamHoldsTheSignatureThenItemsOldestFirst)
{
    Put_Texts(buffer, {"A", "BC"});
    TMemoryStream stream;
    buffer.SaveToStream(stream);
    std::vector<std::uint8_t> expected = {23, 0, 0, 0};
    for (char c : std::string("@SCLBufferStream-V0.1@"))
        expected.push_back(static_cast<std::uint8_t>(c));
    expected.push_back(0);
    for (int byte : std::vector<int>{2, 0, 0, 0, 'A', 0, 3, 0, 0, 0, 'B', 'C', 0})
        expected.push_back(static_cast<std::uint8_t>(byte));
    EXPECT_EQ(Bytes_Of(stream), expected);
}

TEST_F(Text_Buffer, FileRoundTripGivesTheNewestItemFirst)
{
    const auto folder = Make_Temp_Folder("lifo");
    const std::string file = (folder / "items.buf").string();
    Put_Texts(buffer, {"A", "B"});
    buffer.SaveToFile(file);

    TSCLDynLIFOBuffer loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.Count(), 2);
    EXPECT_EQ(Pop_All(loaded), (std::vector<std::string>{"B", "A"}));
    std::filesystem::remove_all(folder);
}

TEST_F(Text_Buffer, WithoutSizeEventItemsAreStoredEmptyAndReadBackAsEmptyBlocks)
{
    TSCLDynLIFOBuffer plain;
    Put_Texts(plain, {"A", "B"});
    TMemoryStream stream;
    plain.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 4 + 23 + 4 + 4);
    stream.SetPosition(0);
    TSCLDynLIFOBuffer loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.Count(), 2);
    void* block = loaded.Get(); // a block of its own, now the caller's
    EXPECT_NE(block, nullptr);
    std::free(block);
}

TEST_F(Text_Buffer, StreamOfAnotherSignatureLeavesTheBufferUntouched)
{
    Put_Texts(buffer, {"keep"});
    TMemoryStream stream;
    std::vector<std::uint8_t> bytes = {23, 0, 0, 0};
    for (char c : std::string("@SCLBufferStream-V0.2@"))
        bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(0);
    for (int byte : std::vector<int>{2, 0, 0, 0, 'X', 0})
        bytes.push_back(static_cast<std::uint8_t>(byte));
    Fill(stream, bytes);
    buffer.LoadFromStream(stream);
    EXPECT_TRUE(destroyed.empty());
    EXPECT_EQ(Pop_All(buffer), std::vector<std::string>{"keep"});

    // A signature length larger than the data is no buffer stream either.
    Put_Texts(buffer, {"keep"});
    Fill(stream, {0xFF, 0xFF, 0, 0, '@'});
    buffer.LoadFromStream(stream);
    EXPECT_EQ(Pop_All(buffer), std::vector<std::string>{"keep"});
}

TEST_F(Text_Buffer, DamagedItemSizesRaiseAndKeepTheOldItems)
{
    TSCLDynLIFOBuffer source;
    source.OnGetItemSize = buffer.OnGetItemSize;
    Put_Texts(source, {"first", "second"});
    TMemoryStream stream;
    source.SaveToStream(stream);
    const std::vector<std::uint8_t> whole = Bytes_Of(stream);

    struct Damage {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Damage> cases;
    cases.push_back({"last item cut short", {whole.begin(), whole.end() - 3}});
    cases.push_back({"size cut short", {whole.begin(), whole.begin() + 27 + 2}});
    auto negative = whole;
    negative[27] = 0xFF, negative[28] = 0xFF, negative[29] = 0xFF, negative[30] = 0xFF;
    cases.push_back({"negative size", negative});
    auto huge = whole;
    huge[30] = 0x7F;
    cases.push_back({"size beyond the data", huge});

    for (const Damage& damage : cases) {
        SCOPED_TRACE(damage.what);
        Put_Texts(buffer, {"keep"});
        Fill(stream, damage.bytes);
        EXPECT_THROW(buffer.LoadFromStream(stream), EReadError);
        EXPECT_TRUE(destroyed.empty());
        EXPECT_EQ(Pop_All(buffer), std::vector<std::string>{"keep"});
    }
}
