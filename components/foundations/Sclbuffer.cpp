#include "components/foundations/Sclbuffer.h"

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "components/foundations/Sclstreamutils.h"
#include "platform/classlib/SysUtils.h"

namespace {

constexpr std::int32_t Signature_Size = 23; // the signature and its zero byte

// Blocks read so far; freed unless handed over to the buffer.
class Block_List {
public:
    Block_List() = default;
    Block_List(const Block_List&) = delete;
    Block_List& operator=(const Block_List&) = delete;
    ~Block_List()
    {
        for (void* block : blocks)
            std::free(block);
    }
    void Add(void* Block) { blocks.push_back(Block); }
    // Hands the next block over; the list forgets it.
    void* Take(std::size_t Index) { return std::exchange(blocks[Index], nullptr); }
    std::size_t Size() const { return blocks.size(); }

private:
    std::vector<void*> blocks;
};

void* Read_Block(TStream& Stream)
{
    const std::int32_t size = stReadInteger(Stream);
    if (size < 0 || size > Stream.Size() - Stream.Position())
        throw EReadError(Format("Buffer stream: item size %d does not fit the data", size));
    // Never a null item, also for an empty block.
    void* block = std::malloc(static_cast<std::size_t>(size > 0 ? size : 1));
    if (!block)
        throw EOutOfMemory("Buffer stream: no memory for an item");
    try {
        Stream.ReadBuffer(block, size);
    } catch (...) {
        std::free(block);
        throw;
    }
    return block;
}

} // namespace

void TSCLBuffer::SetMaxCount(std::int32_t Value)
{
    if (Value == -1 || Value >= 1)
        max_count = Value;
}

std::int32_t TSCLBuffer::GetItemSize(void* Node)
{
    std::int32_t size = 0;
    if (OnGetItemSize)
        OnGetItemSize(this, GetItem(Node), size);
    return size;
}

void TSCLBuffer::SaveToStream(TStream& Stream)
{
    stWriteInteger(Stream, Signature_Size);
    Stream.WriteBuffer(SCLBufferStreamSignature, Signature_Size);
    void* node = nullptr;
    for (FirstNode(node); !EOFBuffer(node); NextNode(node)) {
        const std::int32_t size = GetItemSize(node);
        stWriteInteger(Stream, size);
        if (size > 0)
            Stream.WriteBuffer(GetItem(node), size);
    }
}

bool TSCLBuffer::ReadSignature(TStream& Stream)
{
    const std::int32_t size = stReadInteger(Stream);
    if (size < 0 || size > Stream.Size() - Stream.Position())
        return false;
    std::string text(static_cast<std::size_t>(size), '\0');
    Stream.ReadBuffer(text.data(), size);
    return std::strcmp(text.c_str(), SCLBufferStreamSignature) == 0;
}

void TSCLBuffer::LoadFromStream(TStream& Stream)
{
    if (!ReadSignature(Stream))
        return;
    Block_List blocks;
    while (Stream.Position() < Stream.Size())
        blocks.Add(Read_Block(Stream));
    Clear();
    for (std::size_t i = 0; i < blocks.Size(); ++i) {
        void* block = blocks.Take(i);
        if (!Put(block))
            std::free(block);
    }
}

void TSCLBuffer::LoadFromFile(const std::string& FileName)
{
    TFileStream file(FileName, fmOpenRead);
    LoadFromStream(file);
}

void TSCLBuffer::SaveToFile(const std::string& FileName)
{
    TMemoryStream stream;
    SaveToStream(stream);
    stream.SaveToFile(FileName);
}
