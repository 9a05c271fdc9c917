#include "platform/htmlhelp/HtmlHelp.h"

#include "platform/htmlhelp/Help_Window.h"
#include "platform/winapi/Window.h"
#include "tests/platform/htmlhelp/Help_Files.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

namespace {

class HtmlHelp_Test : public testing::Test {
protected:
    void TearDown() override
    {
        hhctrl::HtmlHelpA(nullptr, nullptr, HH_CLOSE_ALL, 0);
        QApplication::processEvents();
    }

    static HWND Context(const std::string& file, DWORD context)
    {
        return hhctrl::HtmlHelpA(nullptr, file.c_str(), HH_HELP_CONTEXT, context);
    }

    static std::string Shown_Title() { return Help_Window::Browser()->documentTitle().toStdString(); }
};

struct Context_Title {
    DWORD context;
    const char* title;
};

} // namespace

TEST_F(HtmlHelp_Test, EveryContextTheProgramUsesOpensItsTopic)
{
    const struct {
        std::string file;
        std::vector<Context_Title> table;
    } files[] = {
        {SD_Help_File(),
         {{1000, "SD camera system: the main window"},
          {1001, "The PC block, serial port and status log"},
          {1002, "The WCU block"},
          {1003, "The AMU receivers"},
          {1004, "The data emitters (DE)"},
          {1010, "Several cameras"}}},
        {HD_Help_File(),
         {{1000, "HD camera system: the main window"},
          {1001, "The PC block, serial port and status log"},
          {1002, "The WCU block"},
          {1003, "The AMU receivers"},
          {1004, "The data emitters (DE)"},
          {1005, "The camera adapter (WCA)"},
          {1006, "The spectrum window"},
          {1010, "Several cameras"}}},
    };
    for (const auto& file : files)
        for (const Context_Title& row : file.table) {
            HWND window = Context(file.file, row.context);
            ASSERT_NE(window, nullptr) << file.file << " " << row.context;
            EXPECT_EQ(window, Help_Window::Handle());
            EXPECT_TRUE(IsWindowVisible(window));
            EXPECT_EQ(Shown_Title(), row.title) << row.context;
        }
}

TEST_F(HtmlHelp_Test, TheHelpWindowIsReusedAndBroughtToTheFront)
{
    HWND first = Context(SD_Help_File(), 1000);
    HWND second = Context(HD_Help_File(), 1002);
    EXPECT_EQ(first, second);
    EXPECT_EQ(GetForegroundWindow(), second);
    EXPECT_EQ(Help_Window::Contents()->topLevelItem(0)->text(0).toStdString(), "HD camera system: the main window");
    ASSERT_NE(Help_Window::Contents()->currentItem(), nullptr);
    EXPECT_EQ(Help_Window::Contents()->currentItem()->text(0).toStdString(), "The WCU block");
}

TEST_F(HtmlHelp_Test, UnmappedContextsAndMissingOrDamagedFilesShowNothing)
{
    QTemporaryDir folder;
    const std::string garbage = folder.path().toStdString() + "/garbage.chm";
    std::ofstream(garbage) << "ITSF but nothing else";
    const std::string truncated = folder.path().toStdString() + "/truncated.chm";
    std::filesystem::copy_file(SD_Help_File(), truncated);
    std::filesystem::resize_file(truncated, 4000);

    EXPECT_EQ(Context(SD_Help_File(), 1005), nullptr);
    EXPECT_EQ(Context(SD_Help_File(), 0), nullptr);
    EXPECT_EQ(Context(folder.path().toStdString() + "/missing.chm", 1000), nullptr);
    EXPECT_EQ(Context(garbage, 1000), nullptr);
    EXPECT_EQ(Context(truncated, 1000), nullptr);
    EXPECT_EQ(hhctrl::HtmlHelpA(nullptr, nullptr, HH_HELP_CONTEXT, 1000), nullptr);
    EXPECT_EQ(Help_Window::Handle(), nullptr);
}

TEST_F(HtmlHelp_Test, DisplayTopicTakesTheHelpPathForms)
{
    const std::string sd = SD_Help_File();
    const struct {
        std::string path;
        const char* title;
    } table[] = {
        {sd, "SD camera system: the main window"},
        {sd + "::/wcu.htm", "The WCU block"},
        {"ms-its:" + sd + "::/keys.htm>main", "Keys and mouse"},
        {"mk:@MSITStore:" + sd + "::de.htm", "The data emitters (DE)"},
    };
    for (const auto& row : table) {
        ASSERT_NE(hhctrl::HtmlHelpA(nullptr, row.path.c_str(), HH_DISPLAY_TOPIC, 0), nullptr) << row.path;
        EXPECT_EQ(Shown_Title(), row.title);
    }
    EXPECT_EQ(hhctrl::HtmlHelpA(nullptr, (sd + "::/nothing.htm").c_str(), HH_DISPLAY_TOPIC, 0), nullptr);
}

TEST_F(HtmlHelp_Test, LinksAndPicturesAreServedFromTheHelpFile)
{
    ASSERT_NE(Context(SD_Help_File(), 1002), nullptr);
    QTextBrowser* browser = Help_Window::Browser();

    const QImage logo = browser->loadResource(QTextDocument::ImageResource, QUrl("logo.png")).value<QImage>();
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(160, 12));
    EXPECT_EQ(logo.pixelColor(159, 0), QColor(255, 0, 0));

    // The page's own link to the keys page, as a click follows it.
    browser->setSource(browser->source().resolved(QUrl("keys.htm")));
    EXPECT_EQ(Shown_Title(), "Keys and mouse");
    browser->backward();
    EXPECT_EQ(Shown_Title(), "The WCU block");
}

TEST_F(HtmlHelp_Test, TheRenderedTopicShowsItsPicture)
{
    HWND window = Context(HD_Help_File(), 1000);
    ASSERT_NE(window, nullptr);
    QWidget* widget = Window_Widget(window);
    widget->resize(780, 540);
    QApplication::processEvents();
    const QImage page = Help_Window::Browser()->viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            red += page.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(red, 0) << "the banner picture's red end is drawn";
}

TEST_F(HtmlHelp_Test, CloseAllClosesTheWindow)
{
    HWND window = Context(SD_Help_File(), 1000);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(hhctrl::HtmlHelpA(nullptr, nullptr, HH_CLOSE_ALL, 0), nullptr);
    EXPECT_EQ(Help_Window::Handle(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Help_Window::Browser(), nullptr);
}

TEST_F(HtmlHelp_Test, InitializeHandsOutCookiesThatUninitializeTakesBack)
{
    DWORD first = 0, second = 0;
    EXPECT_EQ(hhctrl::HtmlHelpA(nullptr, nullptr, HH_INITIALIZE, reinterpret_cast<DWORD_PTR>(&first)), nullptr);
    hhctrl::HtmlHelpA(nullptr, nullptr, HH_INITIALIZE, reinterpret_cast<DWORD_PTR>(&second));
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
    EXPECT_TRUE(hhctrl::Cookie_In_Use(first));
    hhctrl::HtmlHelpA(nullptr, nullptr, HH_UNINITIALIZE, first);
    EXPECT_FALSE(hhctrl::Cookie_In_Use(first));
    EXPECT_TRUE(hhctrl::Cookie_In_Use(second));
    hhctrl::HtmlHelpA(nullptr, nullptr, HH_UNINITIALIZE, second);
    EXPECT_FALSE(hhctrl::Cookie_In_Use(second));
}

TEST(Hhctrl_Library, LoadsByItsNameOnly)
{
    for (const char* name : {"hhctrl.ocx", "HHCTRL.OCX", "C:\\Windows\\System32\\hhctrl.ocx", "/any/hhctrl.ocx"})
        EXPECT_NE(hhctrl::Load_Library(name), nullptr) << name;
    for (const char* name : {"hhctrl.dll", "other.ocx", "", "hhctrl.ocx.bak"})
        EXPECT_EQ(hhctrl::Load_Library(name), nullptr) << name;
    EXPECT_EQ(hhctrl::Load_Library(nullptr), nullptr);

    HMODULE module = hhctrl::Load_Library("hhctrl.ocx");
    EXPECT_EQ(hhctrl::Get_Proc_Address(module, "HtmlHelpA"), reinterpret_cast<FARPROC>(&hhctrl::HtmlHelpA));
    EXPECT_EQ(hhctrl::Get_Proc_Address(module, "HtmlHelpW"), reinterpret_cast<FARPROC>(&hhctrl::HtmlHelpW));
    EXPECT_EQ(hhctrl::Get_Proc_Address(module, "HtmlHelp"), nullptr);
    EXPECT_EQ(hhctrl::Get_Proc_Address(nullptr, "HtmlHelpA"), nullptr);

    WORD version[4] = {};
    EXPECT_TRUE(hhctrl::File_Version("C:\\Windows\\System32\\hhctrl.ocx", version));
    EXPECT_FALSE(hhctrl::File_Version("/usr/lib/libchm.so", version));
}

TEST_F(HtmlHelp_Test, TheWideEntryShowsTheSameTopic)
{
    const std::u16string file = QString::fromStdString(SD_Help_File()).toStdU16String();
    ASSERT_NE(hhctrl::HtmlHelpW(nullptr, file.c_str(), HH_HELP_CONTEXT, 1003), nullptr);
    EXPECT_EQ(Shown_Title(), "The AMU receivers");
}
