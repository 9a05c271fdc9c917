#pragma once
// A last-in-first-out stack of items in nodes allocated one by one, with an
// optional capacity. Node order runs from the bottom (oldest) item to the
// top (newest).

#include "components/foundations/Sclbuffer.h"

struct TSCLDynNode;
using PSCLDynNode = TSCLDynNode*;

struct TSCLDynNode {
    void* Item = nullptr;
    // The node below; nullptr for the bottom node.
    PSCLDynNode Next = nullptr;
};

class TSCLDynLIFOBuffer : public TSCLBuffer {
public:
    TSCLDynLIFOBuffer() = default;
    ~TSCLDynLIFOBuffer() override;

    // When full, a new item pushes the oldest one out instead of being refused.
    bool Overwrite = true;

    void FirstNode(void*& Node) override;
    void NextNode(void*& Node) override;
    void* GetItem(void* Node) override;
    bool EOFBuffer(void* Node) override { return Node == nullptr; }
    bool isEmpty() override { return top == nullptr; }
    bool isFull() override { return max_count != -1 && max_count <= count; }
    void* Put(void* Item) override;
    void* Get() override;
    void Clear() override;

private:
    // OnDestroyItem, else the item's memory is released.
    void clearItem(void* Item);
    void DropBottom();

    PSCLDynNode top = nullptr;
};
