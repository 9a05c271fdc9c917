#include "platform/classlib/Classes_Collection.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* ACollection)
{
    if (ACollection)
        ACollection->Insert_Item(this);
}

TCollectionItem::~TCollectionItem()
{
    if (collection)
        collection->Remove_Item(this);
}

int TCollectionItem::Index() const
{
    if (!collection)
        return -1;
    const auto& items = collection->items;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::Changed(bool AllItems)
{
    if (collection)
        collection->Changed(AllItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory NewItem) : new_item(std::move(NewItem)) {}

TCollection::~TCollection()
{
    update_count = 1; // no reports while the items go
    while (!items.empty())
        delete items.back();
}

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return items[static_cast<std::size_t>(Index)];
}

TCollectionItem* TCollection::Add()
{
    // Reported once the item is whole.
    TCollectionItem* item = new_item(this);
    Changed(nullptr);
    return item;
}

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::Clear()
{
    if (items.empty())
        return;
    BeginUpdate();
    while (!items.empty())
        delete items.back();
    EndUpdate();
}

void TCollection::BeginUpdate() { ++update_count; }

void TCollection::EndUpdate()
{
    if (update_count > 0 && --update_count == 0)
        Changed(nullptr);
}

void TCollection::Insert_Item(TCollectionItem* Item)
{
    items.push_back(Item);
    Item->collection = this;
}

void TCollection::Remove_Item(TCollectionItem* Item)
{
    std::erase(items, Item);
    Item->collection = nullptr;
    Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* Item)
{
    if (update_count == 0)
        Update(Item);
}
