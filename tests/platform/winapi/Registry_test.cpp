#include "platform/winapi/Atomic_Save.h"
#include "platform/winapi/Registry.h"
#include "platform/winapi/Registry_Store.h"
#include "platform/winapi/Settings_Folder.h"
#include "tests/support/File_Size_Limit.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const Key = "Software\\Quorvale\\Ravivida Ordexia";

std::string Read_Text(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void Write_Text(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class Registry_Test : public ::testing::Test {
protected:
    HKEY Create(const char* key = Key)
    {
        HKEY handle = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        return handle;
    }

    static LONG Set_Dword(HKEY key, const char* name, DWORD value)
    {
        return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }

    // The value as a DWORD, or the query's failure code in the high bits.
    static LONG Get_Dword(HKEY key, const char* name, DWORD& value)
    {
        DWORD type = REG_NONE;
        DWORD size = sizeof value;
        const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        return result == ERROR_SUCCESS && type != REG_DWORD ? -1 : result;
    }

    Temp_Settings settings;
    fs::path file = Registry_Store::File_Path();
};

TEST_F(Registry_Test, ValuesPersistInTheIniFileUnderTheirKey)
{
    HKEY key = Create();
    ASSERT_EQ(Set_Dword(key, "Port_Number_Cam1", 3), ERROR_SUCCESS);
    ASSERT_EQ(Set_Dword(key, "Name_Cam1", static_cast<DWORD>(-1)), ERROR_SUCCESS);
    ASSERT_EQ(Set_Dword(key, "port_number_CAM1", 4), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(Read_Text(file), "[Software\\Quorvale\\Ravivida Ordexia]\nPort_Number_Cam1=4\nName_Cam1=4294967295\n");

    HKEY reopened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\QUORVALE\\Ravivida Ordexia", 0, KEY_READ, &reopened),
              ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_EQ(Get_Dword(reopened, "PORT_NUMBER_CAM1", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 4u);
    EXPECT_EQ(Get_Dword(reopened, "Alarm_Sound_Cam1", value), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Set_Dword(reopened, "Name_Cam1", 1), static_cast<LONG>(ERROR_ACCESS_DENIED));
    RegCloseKey(reopened);
}

TEST_F(Registry_Test, KeysExistThroughTheirSubKeysAndOpenRelativeToAnOpenKey)
{
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &missing), static_cast<LONG>(ERROR_FILE_NOT_FOUND));

    DWORD disposition = 0;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(key);

    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &software), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExA(software, "Quorvale\\Ravivida Ordexia", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);
    RegCloseKey(software);
}

TEST_F(Registry_Test, ValueLinesReadAsTheirTypes)
{
    Write_Text(file, "; kept by hand\n[Software\\Quorvale\\Ravivida Ordexia]\r\n"
                     "  Dword = -2 \nText=\"a \\\"b\\\" \\\\ c\"\nOther=12abc\nBig=4294967296\n");
    struct Case {
        const char* name;
        DWORD type;
        std::string data;
    };
    const Case cases[] = {
        {"Dword", REG_DWORD, std::string("\xFE\xFF\xFF\xFF", 4)},
        {"Text", REG_SZ, std::string("a \"b\" \\ c\0", 10)},
        {"Other", REG_NONE, "12abc"},
        {"Big", REG_NONE, "4294967296"},
    };
    HKEY key = Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD type = 99;
        DWORD size = 0;
        ASSERT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, c.type);
        ASSERT_EQ(size, c.data.size());
        std::string data(size, '\0');
        DWORD small = size - 1;
        EXPECT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &small),
                  static_cast<LONG>(ERROR_MORE_DATA));
        EXPECT_EQ(small, size);
        ASSERT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(data, c.data);
    }
    RegCloseKey(key);
}

TEST_F(Registry_Test, TextValuesRoundTripAndUnstorableNamesAreRefused)
{
    HKEY key = Create();
    const std::string text = "line \"one\"\nback\\slash";
    ASSERT_EQ(RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)),
              ERROR_SUCCESS);
    char buffer[64] = {};
    DWORD size = sizeof buffer;
    ASSERT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer), text);

    for (const char* name : {"", "a=b", "two\nlines", " padded", "[section"}) {
        EXPECT_EQ(Set_Dword(key, name, 1), static_cast<LONG>(ERROR_INVALID_PARAMETER)) << name;
    }
    const BYTE bytes[2] = {1, 2};
    EXPECT_EQ(RegSetValueExA(key, "Short", 0, REG_DWORD, bytes, 2), static_cast<LONG>(ERROR_INVALID_PARAMETER));
    RegCloseKey(key);
}

TEST_F(Registry_Test, FailedWriteLeavesThePreviousFileWhole)
{
    HKEY key = Create();
    ASSERT_EQ(Set_Dword(key, "Port_Number_Cam1", 1), ERROR_SUCCESS);
    const std::string before = Read_Text(file);

    // The file system refuses the new file part-way through.
    LONG result = ERROR_SUCCESS;
    {
        const File_Size_Limit limit(before.size() + 4);
        result = Set_Dword(key, "A_Long_Value_Name_That_Does_Not_Fit", 123456);
    }

    EXPECT_EQ(result, static_cast<LONG>(ERROR_WRITE_FAULT));
    EXPECT_EQ(Read_Text(file), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(file).parent_path()), fs::directory_iterator()), 1)
        << "the unfinished new file is removed";
    DWORD value = 0;
    EXPECT_EQ(Get_Dword(key, "Port_Number_Cam1", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 1u);
    RegCloseKey(key);
}

TEST_F(Registry_Test, TheSettingsFileNeverBecomesWritableByOthers)
{
    struct Case {
        mode_t before;
        mode_t after;
    };
    const Case cases[] = {{0644, 0644}, {0666, 0644}, {0777, 0755}, {0620, 0600}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        Write_Text(file, "[Software\\Quorvale\\Ravivida Ordexia]\n");
        fs::permissions(file, static_cast<fs::perms>(c.before));
        HKEY key = Create();
        ASSERT_EQ(Set_Dword(key, "Name_Cam1", 2), ERROR_SUCCESS);
        RegCloseKey(key);
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.after);
    }
}

// A full or failing disk may first show when the new file is flushed.
TEST_F(Registry_Test, AFlushThatFailsIsReportedAndLeavesThePreviousFileWhole)
{
    HKEY key = Create();
    ASSERT_EQ(Set_Dword(key, "Port_Number_Cam1", 1), ERROR_SUCCESS);
    const std::string before = Read_Text(file);
    std::vector<int> reports;
    Set_Registry_Save_Failure_Handler([&](const fs::path&, int error) { reports.push_back(error); });
    const Flush_Call previous = Set_Flush_Call([](int) {
        errno = EIO;
        return -1;
    });
    const LONG result = Set_Dword(key, "Name_Cam1", 2);
    Set_Flush_Call(previous);
    Set_Registry_Save_Failure_Handler(nullptr);
    EXPECT_EQ(result, static_cast<LONG>(ERROR_WRITE_FAULT));
    EXPECT_EQ(reports, std::vector<int>{EIO});
    EXPECT_EQ(Read_Text(file), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
    RegCloseKey(key);
}

TEST_F(Registry_Test, FileThatCannotBeOpenedForNowIsNeitherMovedNorOverwritten)
{
    HKEY key = Create();
    ASSERT_EQ(Set_Dword(key, "Port_Number_Cam1", 1), ERROR_SUCCESS);
    const std::string before = Read_Text(file);

    // No file descriptor left for the process.
    rlimit previous{};
    getrlimit(RLIMIT_NOFILE, &previous);
    const int next_descriptor = dup(0);
    close(next_descriptor);
    rlimit exhausted = previous;
    exhausted.rlim_cur = static_cast<rlim_t>(next_descriptor);
    setrlimit(RLIMIT_NOFILE, &exhausted);
    DWORD value = 0;
    const LONG read = Get_Dword(key, "Port_Number_Cam1", value);
    const LONG written = Set_Dword(key, "Name_Cam1", 2);
    setrlimit(RLIMIT_NOFILE, &previous);

    EXPECT_EQ(read, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(written, static_cast<LONG>(ERROR_WRITE_FAULT));
    EXPECT_EQ(Read_Text(file), before);
    EXPECT_FALSE(fs::exists(fs::path(file).concat(".damaged")));
    RegCloseKey(key);
}

TEST_F(Registry_Test, WritesFromSeveralThreadsAreAllKept)
{
    HKEY key = Create();
    const auto writer = [key](char thread) {
        for (int i = 0; i < 10; ++i) {
            const std::string name = std::string("Value_") + thread + std::to_string(i);
            EXPECT_EQ(Set_Dword(key, name.c_str(), static_cast<DWORD>(i)), ERROR_SUCCESS);
        }
    };
    std::thread first(writer, 'A');
    std::thread second(writer, 'B');
    first.join();
    second.join();
    for (const char thread : {'A', 'B'}) {
        for (int i = 0; i < 10; ++i) {
            DWORD value = 99;
            const std::string name = std::string("Value_") + thread + std::to_string(i);
            EXPECT_EQ(Get_Dword(key, name.c_str(), value), ERROR_SUCCESS) << name;
            EXPECT_EQ(value, static_cast<DWORD>(i));
        }
    }
    RegCloseKey(key);
}

TEST_F(Registry_Test, HalfWrittenFileOfAnInterruptedWriteIsIgnoredAndReplaced)
{
    HKEY key = Create();
    ASSERT_EQ(Set_Dword(key, "Port_Number_Cam1", 1), ERROR_SUCCESS);
    // Left by a writer that no longer runs (no process has so high a number).
    const fs::path leftover = fs::path(file).concat(".new-999999999-17");
    Write_Text(leftover, "[Software\\Quorvale\\Ravivida Ordexia]\nPort_Num");

    DWORD value = 0;
    EXPECT_EQ(Get_Dword(key, "Port_Number_Cam1", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 1u);
    ASSERT_EQ(Set_Dword(key, "Name_Cam1", 2), ERROR_SUCCESS);
    EXPECT_EQ(Read_Text(file), "[Software\\Quorvale\\Ravivida Ordexia]\nPort_Number_Cam1=1\nName_Cam1=2\n");
    EXPECT_FALSE(fs::exists(leftover));
    RegCloseKey(key);
}

TEST_F(Registry_Test, DamagedFileIsKeptAsideAndEveryLineThatReadsIsKept)
{
    struct Case {
        std::string damaged;
        std::string repaired; // "" when nothing was kept and no file is written
        std::vector<std::string> dropped;
    };
    const std::string section = "[Software\\Quorvale\\Ravivida Ordexia]\n";
    const Case cases[] = {
        {std::string("\x7F" "ELF\0\0binary", 11), "", {"?ELF??binar"}},
        {"Port_Number_Cam1=1\n", "", {"Port_Number_Cam1=1"}},
        {"[Software\\Quorvale\\Ravivida Ordexia\nName_Cam1=1\n", "",
         {"[Software\\Quorvale\\Ravivida Ordexia", "Name_Cam1=1"}},
        {section + "Port_Number_Cam1=7\nName_Cam1=3\nPort_Number_Ca", section + "Port_Number_Cam1=7\nName_Cam1=3\n",
         {"Port_Number_Ca"}},
        {section + "Port_Number_Cam1=7\njust some words\nName_Cam1=3\n",
         section + "Port_Number_Cam1=7\nName_Cam1=3\n", {"just some words"}},
        {section + "Port_Number_Cam1=7\nName" + std::string(1, '\0') + "=3\n", section + "Port_Number_Cam1=7\n",
         {"Name?=3"}},
    };
    fs::create_directories(file.parent_path());
    Write_Text(file.parent_path() / "Other.txt", "untouched");
    Take_Registry_Repair();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        Write_Text(file, cases[i].damaged);
        HKEY key = nullptr;
        const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, Key, 0, KEY_READ, &key);
        const fs::path aside = fs::path(file).concat(i == 0 ? ".damaged" : ".damaged." + std::to_string(i));
        EXPECT_EQ(Read_Text(aside), cases[i].damaged) << "an earlier copy is never replaced";
        const std::optional<Registry_Repair> repair = Take_Registry_Repair();
        ASSERT_TRUE(repair.has_value());
        EXPECT_EQ(repair->Damaged_Copy, aside);
        EXPECT_FALSE(repair->All_Lost);
        EXPECT_EQ(repair->Dropped, cases[i].dropped);
        EXPECT_FALSE(Take_Registry_Repair().has_value()) << "told once";
        if (cases[i].repaired.empty()) {
            EXPECT_EQ(opened, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
            EXPECT_FALSE(fs::exists(file));
            continue;
        }
        ASSERT_EQ(opened, ERROR_SUCCESS);
        DWORD port = 0;
        EXPECT_EQ(Get_Dword(key, "Port_Number_Cam1", port), ERROR_SUCCESS);
        EXPECT_EQ(port, 7u) << "a setting that still reads is kept";
        EXPECT_EQ(Read_Text(file), cases[i].repaired) << "the lines kept are written back at once";
        RegCloseKey(key);
        fs::remove(file);
    }
    EXPECT_EQ(Read_Text(file.parent_path() / "Other.txt"), "untouched");

    HKEY key = Create();
    EXPECT_EQ(Set_Dword(key, "Name_Cam1", 1), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(Read_Text(file), section + "Name_Cam1=1\n");
}

TEST_F(Registry_Test, WhatIsNoFileOfOursIsKeptAsideWithoutBlockingAndEverySettingResets)
{
    fs::create_directories(file.parent_path());
    Take_Registry_Repair();
    const auto make_fifo = [&] { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); };
    const auto make_link = [&] {
        Write_Text(file.parent_path() / "elsewhere.ini", "[Software]\nName_Cam1=2\n");
        fs::create_symlink(file.parent_path() / "elsewhere.ini", file);
    };
    const std::function<void()> makers[] = {make_fifo, make_link};
    for (std::size_t i = 0; i < std::size(makers); ++i) {
        SCOPED_TRACE(i);
        makers[i]();
        HKEY key = nullptr;
        // A FIFO opened for reading would wait here for a writer for ever.
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key),
                  static_cast<LONG>(ERROR_FILE_NOT_FOUND));
        const std::optional<Registry_Repair> repair = Take_Registry_Repair();
        ASSERT_TRUE(repair.has_value());
        EXPECT_TRUE(repair->All_Lost);
        EXPECT_TRUE(fs::exists(fs::symlink_status(repair->Damaged_Copy)));
        EXPECT_FALSE(fs::exists(fs::symlink_status(file)));
    }
    EXPECT_EQ(Read_Text(file.parent_path() / "elsewhere.ini"), "[Software]\nName_Cam1=2\n");
}

// A file of a gibibyte whose first lines are sound: only its first mebibyte
// is read (the rest of it is a hole, which reads as NUL bytes).
TEST_F(Registry_Test, AFileOverTheSizeLimitKeepsTheGoodLinesOfItsHead)
{
    const std::string head = "[Software\\Quorvale\\Ravivida Ordexia]\nPort_Number_Cam1=5\nName_Cam1=3\n";
    Write_Text(file, head);
    ASSERT_EQ(::truncate(file.c_str(), off_t{1} << 30), 0);
    Take_Registry_Repair();

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Key, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD port = 0;
    EXPECT_EQ(Get_Dword(key, "Port_Number_Cam1", port), ERROR_SUCCESS);
    EXPECT_EQ(port, 5u);
    RegCloseKey(key);
    EXPECT_EQ(Read_Text(file), head) << "the lines kept are written back at once";

    const std::optional<Registry_Repair> repair = Take_Registry_Repair();
    ASSERT_TRUE(repair.has_value());
    EXPECT_TRUE(repair->Too_Large);
    EXPECT_FALSE(repair->All_Lost);
    EXPECT_EQ(repair->Dropped, std::vector<std::string>{std::string(60, '?') + "..."})
        << "the head's last line, cut at the limit";
    EXPECT_EQ(fs::file_size(repair->Damaged_Copy), std::uintmax_t{1} << 30) << "the file is kept aside whole";
}

// Another user's folder in the settings folder's place: what it holds is not
// read, nothing is written there, and the user is told once at start (not
// again at every save).
TEST_F(Registry_Test, ASettingsFolderNotTheUsersOwnIsNeitherReadNorWritten)
{
    const std::string theirs = "[Software\\Quorvale\\Ravivida Ordexia]\nPort_Number_Cam1=5\n";
    Write_Text(file, theirs);
    fs::permissions(settings.Config_Home() / "Quorvale", static_cast<fs::perms>(0777));
    std::vector<int> reports;
    Set_Registry_Save_Failure_Handler([&](const fs::path&, int error) { reports.push_back(error); });
    Take_Refused_Settings_Folder();

    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Key, 0, KEY_READ, &key), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Take_Refused_Settings_Folder(), file.parent_path());
    EXPECT_FALSE(Take_Refused_Settings_Folder().has_value()) << "once";
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              static_cast<LONG>(ERROR_WRITE_FAULT));
    Set_Registry_Save_Failure_Handler(nullptr);
    EXPECT_TRUE(reports.empty()) << "the refusal is told at start, not as a failed save";
    EXPECT_EQ(Read_Text(file), theirs);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);

    fs::permissions(settings.Config_Home() / "Quorvale", static_cast<fs::perms>(0700));
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Key, 0, KEY_READ, &key), ERROR_SUCCESS) << "the user's own again";
    RegCloseKey(key);
}

TEST_F(Registry_Test, TheFirstFailedSaveOfARunIsReportedOnceWithItsFolderAndReason)
{
    // The settings folder cannot be made: a file stands where a folder must go.
    fs::create_directories(settings.Config_Home());
    Write_Text(settings.Config_Home() / "Quorvale", "a file, not a folder");
    std::vector<std::pair<fs::path, int>> reports;
    Set_Registry_Save_Failure_Handler([&](const fs::path& folder, int error) { reports.emplace_back(folder, error); });
    for (int attempt = 0; attempt < 3; ++attempt) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  static_cast<LONG>(ERROR_WRITE_FAULT));
    }
    Set_Registry_Save_Failure_Handler(nullptr);
    ASSERT_EQ(reports.size(), 1u) << "once per run, not at every save";
    EXPECT_EQ(reports[0].first, Settings_Folder());
    EXPECT_NE(reports[0].second, 0);
    EXPECT_EQ(Read_Text(settings.Config_Home() / "Quorvale"), "a file, not a folder");
}

TEST_F(Registry_Test, UnreadableFileIsKeptAside)
{
    fs::create_directories(file / "inside");
    HKEY key = Create();
    EXPECT_EQ(Set_Dword(key, "Name_Cam1", 5), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(fs::is_directory(fs::path(file).concat(".damaged") / "inside"));
    EXPECT_EQ(Read_Text(file), "[Software\\Quorvale\\Ravivida Ordexia]\nName_Cam1=5\n");
}

} // namespace
