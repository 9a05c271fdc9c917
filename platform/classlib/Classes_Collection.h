#pragma once
// Collections: lists of items of one class owned by their collection. An
// item's change reaches the collection's Update (with the item, or nullptr
// when the whole collection changed), held back while an update is open.

#include <functional>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Joins Collection (when given) at its end; Add reports the new item.
    explicit TCollectionItem(TCollection* ACollection);
    // Leaves its collection.
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection; }
    // The item's place in its collection, -1 without one.
    int Index() const;
    // The name shown for the item; the class name unless a descendant knows better.
    virtual std::string DisplayName() const { return ClassName(); }

protected:
    // Tells the collection: AllItems for a change of all of them.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* collection = nullptr;
};

class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;

    // NewItem makes the items Add appends.
    explicit TCollection(TItemFactory NewItem);
    ~TCollection() override;

    int Count() const { return static_cast<int>(items.size()); }
    // Raises EListError for an index outside the collection.
    TCollectionItem* Items(int Index) const;
    TCollectionItem* Add();
    void Delete(int Index);
    void Clear();

    void BeginUpdate();
    // The last EndUpdate reports one change of all items.
    void EndUpdate();

protected:
    virtual void Update(TCollectionItem* /*Item*/) {}

private:
    friend class TCollectionItem;
    void Insert_Item(TCollectionItem* Item);
    void Remove_Item(TCollectionItem* Item);
    void Changed(TCollectionItem* Item);

    TItemFactory new_item;
    std::vector<TCollectionItem*> items;
    int update_count = 0;
};
