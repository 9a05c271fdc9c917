#pragma once
// A container of untyped items behind a node-walking interface, and the
// stream format every kind of buffer shares:
//   int32 23, "@SCLBufferStream-V0.1@" and a zero byte, then per item an
//   int32 size followed by that many bytes (little-endian).
// Items are opaque blocks owned by the buffer; OnGetItemSize tells how many
// bytes of an item a stream keeps.

#include <cstdint>
#include <functional>
#include <string>

#include "components/foundations/Sclobject.h"
#include "platform/classlib/Classes.h"

using TSCLDestroyItemEvent = std::function<void(TObject* Sender, void* Item)>;
using TSCLGetItemSizeEvent = std::function<void(TObject* Sender, void* Item, std::int32_t& Size)>;

inline constexpr const char* SCLBufferStreamSignature = "@SCLBufferStream-V0.1@";

class TSCLBuffer : public TSCLObject {
public:
    TSCLBuffer() = default;

    std::int32_t MaxCount() const { return max_count; }
    // -1 (unlimited) or at least 1; other values are refused.
    void SetMaxCount(std::int32_t Value);
    std::int32_t Count() const { return count; }

    TSCLDestroyItemEvent OnDestroyItem;
    TSCLGetItemSizeEvent OnGetItemSize;

    // Walks the items from the first node; EOFBuffer is true past the last.
    virtual void FirstNode(void*& Node) = 0;
    virtual void NextNode(void*& Node) = 0;
    virtual void* GetItem(void* Node) = 0;
    virtual bool EOFBuffer(void* Node) = 0;
    virtual bool isEmpty() = 0;
    virtual bool isFull() = 0;
    // The buffer owns a stored item. Answers Item, or nullptr when the item
    // was refused and the caller still owns it.
    virtual void* Put(void* Item) = 0;
    // Ownership of the item passes to the caller; nullptr when empty.
    virtual void* Get() = 0;
    virtual void Clear() = 0;

    // A stream of another signature leaves the buffer untouched. A size that
    // does not fit the data raises EReadError, and the buffer keeps what it
    // held: it is replaced only once every block was read.
    virtual void LoadFromStream(TStream& Stream);
    virtual void SaveToStream(TStream& Stream);
    void LoadFromFile(const std::string& FileName);
    // The file is written whole or not at all.
    void SaveToFile(const std::string& FileName);

    // A bare counter: no notification is tied to it.
    void EndUpdate() { TSCLObject::EndUpdate(false); }
    bool Updating() const { return UpdateCount() > 0; }

    // The item's size in bytes from OnGetItemSize, 0 without it.
    std::int32_t GetItemSize(void* Node);

protected:
    std::int32_t max_count = -1;
    std::int32_t count = 0;

private:
    bool ReadSignature(TStream& Stream);
};
