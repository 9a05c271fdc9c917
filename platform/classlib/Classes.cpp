#include "platform/classlib/Classes.h"

#include <algorithm>
#include <climits>

namespace {

[[noreturn]] void List_Index_Error(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

// ---- TList ---------------------------------------------------------------

void TList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        List_Index_Error(index);
}

int TList::Add(void* item)
{
    items.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item)
{
    if (index < 0 || index > Count())
        List_Index_Error(index);
    items.insert(items.begin() + index, item);
}

void TList::Delete(int index)
{
    CheckIndex(index);
    items.erase(items.begin() + index);
}

int TList::Remove(void* item)
{
    const int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

void TList::Clear() { items.clear(); }

void TList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items[static_cast<std::size_t>(index1)], items[static_cast<std::size_t>(index2)]);
}

int TList::IndexOf(const void* item) const
{
    const auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

void* TList::Items(int index) const
{
    CheckIndex(index);
    return items[static_cast<std::size_t>(index)];
}

void TList::Put(int index, void* item)
{
    CheckIndex(index);
    items[static_cast<std::size_t>(index)] = item;
}

// ---- TStrings ------------------------------------------------------------

int TStrings::Add(const std::string& text)
{
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(const std::string& text, void* object)
{
    const int index = Add(text);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings)
{
    BeginUpdate();
    for (int i = 0; i < strings.Count(); ++i)
        AddObject(strings.Strings(i), strings.Objects(i));
    EndUpdate();
}

void TStrings::Assign(const TStrings& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(source);
    EndUpdate();
}

int TStrings::IndexOf(const std::string& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) == text)
            return i;
    return -1;
}

std::string TStrings::Text() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Strings(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& text)
{
    BeginUpdate();
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        Add(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (update_count++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (update_count == 0)
        return;
    if (--update_count == 0)
        SetUpdateState(false);
}

void TStrings::LoadFromFile(const std::string& file_name)
{
    TFileStream stream(file_name, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::LoadFromStream(TStream& stream)
{
    const std::int64_t size = std::max<std::int64_t>(stream.Size() - stream.Position(), 0);
    if (size > INT_MAX)
        throw EReadError("Stream read error");
    std::string text(static_cast<std::size_t>(size), '\0');
    stream.ReadBuffer(text.data(), static_cast<int>(text.size()));
    SetText(text);
}

void TStrings::SaveToFile(const std::string& file_name) const
{
    TMemoryStream stream;
    SaveToStream(stream);
    stream.SaveToFile(file_name);
}

void TStrings::SaveToStream(TStream& stream) const
{
    const std::string text = Text();
    stream.WriteBuffer(text.data(), static_cast<int>(text.size()));
}

// ---- TStringList ---------------------------------------------------------

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStringList::Strings(int index) const
{
    CheckIndex(index);
    return items[static_cast<std::size_t>(index)].text;
}

void TStringList::Put(int index, const std::string& text)
{
    CheckIndex(index);
    items[static_cast<std::size_t>(index)].text = text;
}

void* TStringList::Objects(int index) const
{
    CheckIndex(index);
    return items[static_cast<std::size_t>(index)].object;
}

void TStringList::PutObject(int index, void* object)
{
    CheckIndex(index);
    items[static_cast<std::size_t>(index)].object = object;
}

void TStringList::Insert(int index, const std::string& text)
{
    if (index < 0 || index > Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    items.insert(items.begin() + index, Item{text, nullptr});
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    items.erase(items.begin() + index);
}

void TStringList::Clear() { items.clear(); }
