#pragma once
// The class library's lists and string lists. Streams are in
// Classes_Streams.h, included here so that one include gives both, as the
// library's one unit did.

#include <string>
#include <vector>

#include "platform/classlib/Classes_Streams.h"
#include "platform/classlib/SysUtils.h"

// A list of untyped pointers. A bad index raises EListError.
class TList {
public:
    TList() = default;
    virtual ~TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Removes the first occurrence; answers its former index or -1.
    int Remove(void* item);
    void Clear();
    void Exchange(int index1, int index2);
    int IndexOf(const void* item) const;
    int Count() const { return static_cast<int>(items.size()); }
    void* Items(int index) const;
    void Put(int index, void* item);
    void* operator[](int index) const { return Items(index); }
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

private:
    void CheckIndex(int index) const;

    std::vector<void*> items;
};

// An abstract list of strings, each with an object pointer beside it.
// Descendants store the strings; the text, file and search operations are
// shared. Text joins the lines with CR LF (each line followed by it) and is
// split on CR LF, LF or a lone CR.
class TStrings {
public:
    TStrings() = default;
    virtual ~TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    virtual int Count() const = 0;
    virtual std::string Strings(int index) const = 0;
    virtual void Put(int index, const std::string& text) = 0;
    virtual void* Objects(int index) const = 0;
    virtual void PutObject(int index, void* object) = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Strings(index); }
    virtual int Add(const std::string& text);
    int AddObject(const std::string& text, void* object);
    void AddStrings(const TStrings& strings);
    void Assign(const TStrings& source);
    // Exact, case-sensitive match; -1 when absent.
    virtual int IndexOf(const std::string& text) const;

    std::string Text() const;
    void SetText(const std::string& text);

    // Nested calls count; the list learns of the first begin and last end
    // through SetUpdateState.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return update_count; }

    // Raises EFOpenError when the file cannot be opened.
    void LoadFromFile(const std::string& file_name);
    void LoadFromStream(TStream& stream);
    // Writes a new file next to the target and renames it over the target
    // only when the whole text was written: a failure raises EFCreateError or
    // EWriteError and leaves the old file whole.
    void SaveToFile(const std::string& file_name) const;
    void SaveToStream(TStream& stream) const;

protected:
    virtual void SetUpdateState(bool /*updating*/) {}

private:
    int update_count = 0;
};

// The string list that stores its strings itself.
class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(items.size()); }
    std::string Strings(int index) const override;
    void Put(int index, const std::string& text) override;
    void* Objects(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

private:
    struct Item {
        std::string text;
        void* object = nullptr;
    };
    void CheckIndex(int index) const;

    std::vector<Item> items;
};

#include "platform/classlib/Classes_Component.h"
