#pragma once
// The roots of the class library's object model: TObject (class names),
// TPersistent (assignment), TComponent (ownership, names, tags, component
// state and free notification), and the small set type the library's
// property sets are made of.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/classlib/SysUtils.h"

// A set over an enumeration of at most 32 values, as the library's
// property sets (ControlStyle, ComponentState ...) are.
template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E value : values)
            Include(value);
    }
    constexpr bool Contains(E value) const { return (bits & Bit(value)) != 0; }
    constexpr bool Empty() const { return bits == 0; }
    constexpr TSet& Include(E value)
    {
        bits |= Bit(value);
        return *this;
    }
    constexpr TSet& Exclude(E value)
    {
        bits &= ~Bit(value);
        return *this;
    }
    constexpr TSet operator+(TSet other) const { return From_Bits(bits | other.bits); }
    constexpr TSet operator-(TSet other) const { return From_Bits(bits & ~other.bits); }
    constexpr TSet operator*(TSet other) const { return From_Bits(bits & other.bits); }
    friend constexpr bool operator==(TSet, TSet) = default;
    // Bit n for the member of ordinal n.
    constexpr std::uint32_t Bits() const { return bits; }

private:
    static constexpr std::uint32_t Bit(E value) { return std::uint32_t{1} << static_cast<unsigned>(value); }
    static constexpr TSet From_Bits(std::uint32_t value)
    {
        TSet set;
        set.bits = value;
        return set;
    }
    std::uint32_t bits = 0;
};

// The root of every class-library object: a virtual destructor and the
// class name the library shows in messages and looks components up by.
class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    // The most derived class's own name ("TForm_Main"), without namespaces.
    std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class EComponentError : public Exception {
    using Exception::Exception;
};

class TPersistent : public TObject {
public:
    // Copies Source's settings; a pair of classes that cannot assign raises
    // EConvertError "Cannot assign a <Source class> to a <own class>".
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
};

enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating, csFreeNotification };
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    // Owner (may be nullptr) takes the component into its Components and
    // frees it when it is freed itself.
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return owner; }
    int ComponentCount() const { return static_cast<int>(components.size()); }
    // Raises EListError for a bad index.
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    // A component owned by this one with that name (case-insensitive), or nullptr.
    TComponent* FindComponent(const std::string& AName) const;

    const std::string& Name() const { return name; }
    // Raises EComponentError for a name that is not an identifier or that
    // another component of the same owner already has.
    virtual void SetName(const std::string& NewName);
    int Tag() const { return tag; }
    void SetTag(int Value) { tag = Value; }
    TComponentState ComponentState() const { return component_state; }

    // AComponent will be told (Notification opRemove) when this one is
    // freed, though it is not its owner; and the other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, last first.
    void DestroyComponents();
    // Marks the component (and, in the destructor, its owned ones) as being destroyed.
    void Destroying();

    // Loading from a form resource: the reader brackets the property
    // assignments with SetLoading(true) and Loaded().
    void SetLoading(bool Value);
    void SetReading(bool Value);
    void SetDesigning(bool Value);

    // Called once every property of a loaded component is set; clears csLoading.
    virtual void Loaded();

protected:
    // AComponent joins (opInsert) or leaves (opRemove) the owner's
    // Components, or is being freed; the default passes it on to every
    // owned component so that references to it are dropped.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetComponentState(TComponentStateItem Item, bool Value);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void Validate_Rename(const std::string& NewName) const;
    void Drop_Free_Notification(TComponent* AComponent);

    TComponent* owner = nullptr;
    std::vector<TComponent*> components;
    std::vector<TComponent*> free_notifies;
    std::string name;
    int tag = 0;
    TComponentState component_state;
};

// True for a Pascal identifier: a letter or '_', then letters, digits or '_'.
bool IsValidIdent(const std::string& Ident);
