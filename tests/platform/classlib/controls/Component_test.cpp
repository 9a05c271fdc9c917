#include "platform/classlib/Classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what it is told, and drops its reference to a freed component.
class Watcher : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Watched = nullptr;
    std::vector<std::string> Heard;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        Heard.push_back((Operation == opInsert ? "insert " : "remove ") + AComponent->Name());
        if (Operation == opRemove && AComponent == Watched)
            Watched = nullptr;
    }
};

class Counted : public TComponent {
public:
    Counted(TComponent* AOwner, int& destroyed) : TComponent(AOwner), Destroyed(destroyed) {}
    ~Counted() override { ++Destroyed; }
    int& Destroyed;
};

} // namespace

TEST(Component, OwnerFreesItsComponentsAndKeepsTheirOrder)
{
    int destroyed = 0;
    auto* owner = new TComponent(nullptr);
    auto* first = new Counted(owner, destroyed);
    auto* second = new Counted(owner, destroyed);
    new Counted(second, destroyed); // owned one level down
    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), first);
    EXPECT_EQ(second->ComponentIndex(), 1);
    EXPECT_THROW(owner->Components(2), EListError);

    delete first;
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(owner->ComponentCount(), 1);
    delete owner;
    EXPECT_EQ(destroyed, 3);
}

TEST(Component, SiblingsAndFreeNotifiedComponentsHearOfAFree)
{
    TComponent form(nullptr);
    auto* watcher = new Watcher(&form);
    auto* target = new TComponent(&form);
    target->SetName("Target");
    watcher->Watched = target;

    Watcher outsider(nullptr); // not owned by the form: needs FreeNotification
    auto* other = new TComponent(&form);
    other->SetName("Other");
    other->FreeNotification(&outsider);

    delete target;
    EXPECT_EQ(watcher->Watched, nullptr);
    EXPECT_EQ(watcher->Heard.back(), "remove Target");
    EXPECT_TRUE(outsider.Heard.empty());
    delete other;
    ASSERT_EQ(outsider.Heard.size(), 1u);
    EXPECT_EQ(outsider.Heard[0], "remove Other");
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Button1");
    EXPECT_EQ(owner.FindComponent("button1"), a);
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(b->SetName("1Button"), EComponentError);
    EXPECT_THROW(b->SetName("Bad Name"), EComponentError);
    b->SetName("_Button2");
    EXPECT_EQ(b->Name(), "_Button2");
    b->SetTag(7);
    EXPECT_EQ(b->Tag(), 7);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Component, LoadedEndsLoadingAndDestroyingReachesOwnedComponents)
{
    class Probe : public TComponent {
    public:
        using TComponent::TComponent;
        bool* seen_destroying = nullptr;
        ~Probe() override { *seen_destroying = ComponentState().Contains(csDestroying); }
    };
    bool seen = false;
    auto* owner = new TComponent(nullptr);
    auto* probe = new Probe(owner);
    probe->seen_destroying = &seen;
    probe->SetLoading(true);
    probe->SetReading(true);
    EXPECT_TRUE(probe->ComponentState().Contains(csLoading));
    probe->SetReading(false);
    probe->Loaded();
    EXPECT_TRUE(probe->ComponentState().Empty());
    delete owner;
    EXPECT_TRUE(seen);
}

TEST(Component, ClassNameAndAssignFailure)
{
    TComponent a(nullptr);
    Watcher b(nullptr);
    EXPECT_EQ(a.ClassName(), "TComponent");
    try {
        a.Assign(&b);
        FAIL() << "Assign should have raised";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message, "Cannot assign a Watcher to a TComponent");
    }
}
