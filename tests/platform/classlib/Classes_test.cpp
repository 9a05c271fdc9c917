#include "platform/classlib/Classes.h"
#include "tests/support/File_Size_Limit.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string File_Bytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void Write_File(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Lines(const TStrings& list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

// Records the update-state changes the list is told of.
class Watched_List : public TStringList {
public:
    std::vector<bool> states;

protected:
    void SetUpdateState(bool updating) override { states.push_back(updating); }
};

} // namespace

TEST(TList, KeepsPointersInOrderAndChecksIndexes)
{
    int a = 0, b = 0, c = 0;
    TList list;
    EXPECT_EQ(list.Add(&a), 0);
    EXPECT_EQ(list.Add(&c), 1);
    list.Insert(1, &b);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], &b);
    EXPECT_EQ(list.IndexOf(&c), 2);
    list.Exchange(0, 2);
    EXPECT_EQ(list.First(), &c);
    EXPECT_EQ(list.Last(), &a);
    EXPECT_EQ(list.Remove(&b), 1);
    EXPECT_EQ(list.Remove(&b), -1);
    list.Put(0, &b);
    EXPECT_EQ(list.Items(0), &b);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);

    EXPECT_THROW(list.Items(1), EListError);
    EXPECT_THROW(list.Items(-1), EListError);
    EXPECT_THROW(list.Insert(3, &a), EListError);
    EXPECT_THROW(list.Delete(5), EListError);
    list.Clear();
    EXPECT_THROW(list.First(), EListError);
}

TEST(TStringList, EditsAndSearches)
{
    TStringList list;
    list.Add("one");
    list.Add("three");
    list.Insert(1, "two");
    int tag = 0;
    list.AddObject("four", &tag);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(list.IndexOf("three"), 2);
    EXPECT_EQ(list.IndexOf("Three"), -1);
    EXPECT_EQ(list.Objects(3), &tag);
    list.Put(0, "zero");
    list.Delete(1);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"zero", "three", "four"}));
    EXPECT_THROW(list.Strings(3), EStringListError);
    EXPECT_THROW(list.Insert(-1, "x"), EStringListError);

    TStringList copy;
    copy.Add("old");
    copy.Assign(list);
    EXPECT_EQ(Lines(copy), Lines(list));
    EXPECT_EQ(copy.Objects(2), &tag);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TStringList, TextJoinsWithCrLfAndSplitsOnAnyLineBreak)
{
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"", {}},
        {"25°C\n", {"25°C"}},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.text;
    }
    TStringList list;
    list.SetText("x\ny\n");
    EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

TEST(TStringList, UpdatesNestAsACounter)
{
    Watched_List list;
    list.BeginUpdate();
    list.BeginUpdate();
    EXPECT_EQ(list.UpdateCount(), 2);
    list.EndUpdate();
    EXPECT_EQ(list.states, (std::vector<bool>{true}));
    list.EndUpdate();
    list.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(list.states, (std::vector<bool>{true, false}));
}

TEST(TStringList, FileRoundTripWithCrLf)
{
    const fs::path folder = Make_Temp_Folder("stringlist");
    const fs::path file = folder / "log.txt";
    TStringList list;
    list.Add("------- 14:03:27 -------");
    list.Add("Video link OK");
    list.SaveToFile(file);
    EXPECT_EQ(File_Bytes(file), "------- 14:03:27 -------\r\nVideo link OK\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    TStringList loaded;
    loaded.Add("stale");
    loaded.LoadFromFile(file);
    EXPECT_EQ(Lines(loaded), Lines(list));
    fs::remove_all(folder);
}

TEST(TStringList, MissingFileRaisesEFOpenErrorWithItsName)
{
    const fs::path folder = Make_Temp_Folder("stringlist");
    const std::string missing = (folder / "missing.txt").string();
    TStringList list;
    try {
        list.LoadFromFile(missing);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message.find(missing), std::string::npos) << e.Message;
    }
    fs::remove_all(folder);
}

TEST(TStringList, FailedSaveLeavesTheOldFileWhole)
{
    const fs::path folder = Make_Temp_Folder("stringlist");
    const fs::path file = folder / "log.txt";
    Write_File(file, "old\r\n");
    TStringList list;
    list.Add(std::string(100, 'x'));

    // The new file cannot be created: its folder is a file.
    EXPECT_THROW(list.SaveToFile(file / "inner.txt"), EFCreateError);
    // The new file cannot be written whole.
    {
        File_Size_Limit limit(16);
        EXPECT_THROW(list.SaveToFile(file), EWriteError);
    }
    EXPECT_EQ(File_Bytes(file), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

TEST(TMemoryStream, ReadsWritesAndSeeks)
{
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Position(), 6);
    EXPECT_EQ(stream.Seek(-2, soFromEnd), 4);
    char two[2];
    stream.ReadBuffer(two, 2);
    EXPECT_EQ(std::string(two, 2), "ef");
    EXPECT_EQ(stream.Read(two, 2), 0);
    EXPECT_THROW(stream.ReadBuffer(two, 1), EReadError);

    stream.SetPosition(1);
    EXPECT_EQ(stream.Seek(2, soFromCurrent), 3);
    stream.WriteBuffer("XYZW", 4); // overwrites and grows
    EXPECT_EQ(std::string(static_cast<const char*>(stream.Memory()), 7), "abcXYZW");

    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_EQ(std::string(static_cast<const char*>(stream.Memory()), 2), "ab");
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(TMemoryStream, CopyFromAndFiles)
{
    const fs::path folder = Make_Temp_Folder("memorystream");
    const std::string file = (folder / "frames.bin").string();
    TMemoryStream source;
    source.WriteBuffer("HDW002001", 9);
    TMemoryStream whole;
    EXPECT_EQ(whole.CopyFrom(source, 0), 9);
    source.SetPosition(3);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(source, 3), 3);
    EXPECT_EQ(std::string(static_cast<const char*>(part.Memory()), 3), "002");
    EXPECT_THROW(part.CopyFrom(source, 10), EReadError);

    whole.SaveToFile(file);
    EXPECT_EQ(File_Bytes(file), "HDW002001");
    TMemoryStream loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.Size(), 9);
    EXPECT_EQ(loaded.Position(), 0);
    EXPECT_THROW(loaded.LoadFromFile(file + ".none"), EFOpenError);
    EXPECT_EQ(loaded.Size(), 9);
    fs::remove_all(folder);
}

TEST(TFileStream, CreatesOpensAndReportsTheFileName)
{
    const fs::path folder = Make_Temp_Folder("filestream");
    const std::string file = (folder / "rec.hdw").string();
    {
        TFileStream out(file, fmCreate | fmShareExclusive);
        out.WriteBuffer("FRAME0001", 9);
        EXPECT_EQ(out.Size(), 9);
        EXPECT_EQ(out.FileName(), file);
    }
    {
        TFileStream in(file, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(in.Seek(-4, soFromEnd), 5);
        char digits[4];
        in.ReadBuffer(digits, 4);
        EXPECT_EQ(std::string(digits, 4), "0001");
        EXPECT_THROW(in.ReadBuffer(digits, 1), EReadError);
        EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
    }
    {
        TFileStream both(file, fmOpenReadWrite);
        both.SetSize(5);
        both.Seek(0, soFromEnd);
        both.WriteBuffer("!", 1);
    }
    EXPECT_EQ(File_Bytes(file), "FRAME!");

    const std::string missing = (folder / "none" / "x.bin").string();
    try {
        TFileStream open(missing, fmOpenRead);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message.find(missing), std::string::npos) << e.Message;
    }
    try {
        TFileStream create(missing, fmCreate);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message.find(missing), std::string::npos) << e.Message;
    }
    EXPECT_THROW(TFileStream(folder.string(), fmOpenRead), EFOpenError);
    fs::remove_all(folder);
}
