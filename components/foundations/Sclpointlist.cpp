#include "components/foundations/Sclpointlist.h"

#include <cstdint>

namespace {

void* Pack(const POINT& P)
{
    const auto x = static_cast<std::uint16_t>(P.x);
    const auto y = static_cast<std::uint16_t>(P.y);
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>((static_cast<std::uint32_t>(x) << 16) | y));
}

POINT Unpack(const void* Entry)
{
    const auto packed = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Entry));
    return {static_cast<std::int16_t>(packed >> 16), static_cast<std::int16_t>(packed & 0xFFFF)};
}

} // namespace

POINT TSCLPointList::GetPoint(int Index) const
{
    return Index >= 0 && Index < Count() ? Unpack(Items(Index)) : POINT{};
}

void TSCLPointList::PutPoint(int Index, const POINT& P)
{
    if (Index < 0 || Index >= Count())
        return;
    Put(Index, Pack(P));
    GetChange(this);
}

void TSCLPointList::AddPoint(const POINT& P)
{
    Add(nullptr);
    PutPoint(Count() - 1, P);
    GetChange(this);
}

void TSCLPointList::DeletePoint(int Index)
{
    Delete(Index);
    GetChange(this);
}

void TSCLPointList::Clone(TSCLPointList* Dest) const
{
    if (Dest == nullptr)
        return;
    Dest->Clear();
    for (int i = 0; i < Count(); ++i)
        Dest->AddPoint(GetPoint(i));
}

void TSCLPointList::BeginUpdate()
{
    ++update_count;
}

void TSCLPointList::EndUpdate(bool Notify)
{
    if (update_count > 0)
        --update_count;
    if (Notify)
        GetChange(this);
}

void TSCLPointList::GetChange(TObject* Sender)
{
    if (OnChange && update_count < 1)
        OnChange(Sender);
}
