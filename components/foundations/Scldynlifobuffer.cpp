#include "components/foundations/Scldynlifobuffer.h"

#include <cstdlib>

TSCLDynLIFOBuffer::~TSCLDynLIFOBuffer() { Clear(); }

void TSCLDynLIFOBuffer::FirstNode(void*& Node)
{
    PSCLDynNode node = top;
    while (node && node->Next)
        node = node->Next;
    Node = node;
}

void TSCLDynLIFOBuffer::NextNode(void*& Node)
{
    PSCLDynNode above = nullptr;
    for (PSCLDynNode node = top; node && node != Node; node = node->Next)
        above = node;
    Node = above;
}

void* TSCLDynLIFOBuffer::GetItem(void* Node) { return Node ? static_cast<PSCLDynNode>(Node)->Item : nullptr; }

void TSCLDynLIFOBuffer::clearItem(void* Item)
{
    if (OnDestroyItem)
        OnDestroyItem(this, Item);
    else
        std::free(Item);
}

void TSCLDynLIFOBuffer::DropBottom()
{
    PSCLDynNode* link = &top;
    while ((*link)->Next)
        link = &(*link)->Next;
    PSCLDynNode bottom = *link;
    *link = nullptr;
    clearItem(bottom->Item);
    delete bottom;
    --count;
}

void* TSCLDynLIFOBuffer::Put(void* Item)
{
    if (isFull()) {
        if (!Overwrite)
            return nullptr;
        if (max_count == 1)
            Clear();
        else
            DropBottom();
    }
    top = new TSCLDynNode{Item, top};
    ++count;
    return Item;
}

void* TSCLDynLIFOBuffer::Get()
{
    if (!top)
        return nullptr;
    PSCLDynNode node = top;
    top = node->Next;
    void* item = node->Item;
    delete node;
    --count;
    return item;
}

void TSCLDynLIFOBuffer::Clear()
{
    while (top) {
        PSCLDynNode node = top;
        top = node->Next;
        clearItem(node->Item);
        delete node;
    }
    count = 0;
}
