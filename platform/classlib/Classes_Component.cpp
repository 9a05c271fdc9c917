#include "platform/classlib/Classes_Component.h"

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

// ---- TObject ---------------------------------------------------------------

std::string TObject::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string full = status == 0 && demangled ? demangled.get() : mangled;
    const auto scope = full.rfind("::");
    return scope == std::string::npos ? full : full.substr(scope + 2);
}

// ---- TPersistent -------------------------------------------------------------

void TPersistent::Assign(TPersistent* Source)
{
    if (Source)
        Source->AssignTo(this);
    else
        AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    const std::string source = Dest == this ? "nil" : ClassName();
    throw EConvertError("Cannot assign a " + source + " to a " + Dest->ClassName());
}

// ---- TComponent ----------------------------------------------------------------

bool IsValidIdent(const std::string& Ident)
{
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (Ident.empty() || !alpha(Ident[0]))
        return false;
    return std::all_of(Ident.begin() + 1, Ident.end(), [&](char c) { return alpha(c) || digit(c); });
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Everyone holding a reference through FreeNotification drops it now.
    while (!free_notifies.empty()) {
        TComponent* other = free_notifies.back();
        free_notifies.pop_back();
        other->Drop_Free_Notification(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner)
        owner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return components[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner)
        return -1;
    const auto found = std::find(owner->components.begin(), owner->components.end(), this);
    return static_cast<int>(found - owner->components.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const
{
    if (AName.empty())
        return nullptr;
    const std::string wanted = UpperCase(AName);
    for (TComponent* component : components)
        if (UpperCase(component->name) == wanted)
            return component;
    return nullptr;
}

void TComponent::Validate_Rename(const std::string& NewName) const
{
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError("'" + NewName + "' is not a valid component name");
    if (owner && !NewName.empty()) {
        const TComponent* same = owner->FindComponent(NewName);
        if (same && same != this)
            throw EComponentError("A component named " + NewName + " already exists");
    }
}

void TComponent::SetName(const std::string& NewName)
{
    if (NewName == name)
        return;
    Validate_Rename(NewName);
    name = NewName;
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (std::find(free_notifies.begin(), free_notifies.end(), AComponent) == free_notifies.end()) {
        free_notifies.push_back(AComponent);
        AComponent->FreeNotification(this);
    }
    component_state.Include(csFreeNotification);
}

void TComponent::Drop_Free_Notification(TComponent* AComponent)
{
    std::erase(free_notifies, AComponent);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    Drop_Free_Notification(AComponent);
    if (AComponent)
        AComponent->Drop_Free_Notification(this);
}

void TComponent::Insert(TComponent* AComponent)
{
    components.push_back(AComponent);
    AComponent->owner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    std::erase(components, AComponent);
    AComponent->owner = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    AComponent->Validate_Rename(AComponent->name);
    if (AComponent->owner)
        AComponent->owner->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    while (!components.empty()) {
        TComponent* last = components.back();
        Remove(last);
        delete last;
    }
}

void TComponent::Destroying()
{
    if (component_state.Contains(csDestroying))
        return;
    component_state.Include(csDestroying);
    for (TComponent* component : components)
        component->Destroying();
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Last first, and within bounds again after each call: a handler may
    // free components of this owner.
    for (auto i = static_cast<std::ptrdiff_t>(components.size()) - 1; i >= 0; --i) {
        i = std::min(i, static_cast<std::ptrdiff_t>(components.size()) - 1);
        if (i < 0)
            break;
        components[static_cast<std::size_t>(i)]->Notification(AComponent, Operation);
    }
}

void TComponent::SetComponentState(TComponentStateItem Item, bool Value)
{
    if (Value)
        component_state.Include(Item);
    else
        component_state.Exclude(Item);
}

void TComponent::SetLoading(bool Value) { SetComponentState(csLoading, Value); }
void TComponent::SetReading(bool Value) { SetComponentState(csReading, Value); }
void TComponent::SetDesigning(bool Value) { SetComponentState(csDesigning, Value); }

void TComponent::Loaded() { component_state.Exclude(csLoading); }
