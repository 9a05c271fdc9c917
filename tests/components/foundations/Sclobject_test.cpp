#include "components/foundations/Sclcustomcomponent.h"
#include "components/foundations/Sclobject.h"

#include <gtest/gtest.h>

namespace {

// A settings object with one property, stored the way every library setter
// stores: only a different value, then one notification.
class Width_Object : public TSCLObject {
public:
    int Width() const { return width; }
    void SetWidth(int Value) { Store(width, Value); }

private:
    int width = 2;
};

// An owner that wires its sub-object to its own change handler.
class Owner_Object : public TSCLObject {
public:
    Owner_Object() { part.OnChange = [this](TObject* sender) { GetChange(sender); }; }
    Width_Object part;
};

template <typename T>
struct Counter {
    explicit Counter(T& subject)
    {
        subject.OnChange = [this, &subject](TObject* sender) {
            EXPECT_EQ(sender, &subject);
            ++calls;
        };
    }
    int calls = 0;
};

TEST(Sclobject, OnlyARealChangeNotifies)
{
    Width_Object object;
    Counter counter(object);
    object.SetWidth(2);
    EXPECT_EQ(counter.calls, 0);
    object.SetWidth(3);
    object.SetWidth(3);
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(object.Width(), 3);

    Width_Object silent; // without a handler a change is simply stored
    silent.SetWidth(7);
    EXPECT_EQ(silent.Width(), 7);
}

TEST(Sclobject, NestedUpdatesNotifyOnceWhenTheOutermostEnds)
{
    Width_Object object;
    Counter counter(object);
    object.BeginUpdate();
    object.BeginUpdate();
    object.SetWidth(5);
    object.SetWidth(6);
    object.EndUpdate(true); // the inner end must not end the outer update
    EXPECT_EQ(counter.calls, 0);
    EXPECT_EQ(object.UpdateCount(), 1);
    object.EndUpdate(true);
    EXPECT_EQ(counter.calls, 1);
    object.SetWidth(7); // no update left open: notifies at once
    EXPECT_EQ(counter.calls, 2);

    object.BeginUpdate();
    object.EndUpdate(false);
    EXPECT_EQ(counter.calls, 2);
    object.EndUpdate(true); // unmatched: the count stays at 0 and it notifies
    EXPECT_EQ(object.UpdateCount(), 0);
    EXPECT_EQ(counter.calls, 3);
}

TEST(Sclobject, ASubObjectsChangeReachesItsOwner)
{
    Owner_Object owner;
    Counter counter(owner);
    owner.part.SetWidth(9);
    EXPECT_EQ(counter.calls, 1);
    owner.BeginUpdate();
    owner.part.SetWidth(10);
    EXPECT_EQ(counter.calls, 1);
    owner.EndUpdate(true);
    EXPECT_EQ(counter.calls, 2);
    EXPECT_EQ(owner.GetSetStr(), "");
}

TEST(Sclcustomcomponent, NotifiesAsTheSettingsObjectsDo)
{
    TComponent owner(nullptr);
    auto* component = new TSCLCustomComponent(&owner);
    Counter counter(*component);
    component->GetChange(nullptr);
    EXPECT_EQ(counter.calls, 1);
    component->BeginUpdate();
    component->BeginUpdate();
    component->Change();
    component->EndUpdate(true);
    EXPECT_EQ(counter.calls, 1);
    component->EndUpdate(true);
    EXPECT_EQ(counter.calls, 2);
}

} // namespace
