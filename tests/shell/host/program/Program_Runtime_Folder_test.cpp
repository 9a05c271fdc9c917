// A user whose session sets no XDG_RUNTIME_DIR (a console log-in, su, a
// remote command): the program keeps its lock and socket in its own private
// folder in the user's cache, and hands that folder to the toolkit, which
// then has nothing to warn about on the program's standard error.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/support/Scoped_Variable.h"

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace program_runtime_folder {

namespace fs = std::filesystem;

std::string File_Text(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

class Program_Runtime_Folder : public Program_Desktop {
protected:
    ~Program_Runtime_Folder() override { fs::remove_all(home); }

    fs::path home = Make_Temp_Folder("home");
};

TEST_F(Program_Runtime_Folder, WithoutXdgRuntimeDirTheProgramStartsInItsOwnFolderAndTheToolkitSaysNothing)
{
    const Scoped_Variable no_runtime("XDG_RUNTIME_DIR", std::nullopt);
    const Scoped_Variable home_variable("HOME", home.string());
    const Scoped_Variable no_cache("XDG_CACHE_HOME", std::nullopt);
    Use_Cameras(1);
    Typical_Sd_Wcu().Load(Wcu());
    const fs::path errors = home / "errors.txt";
    Start(errors.string());
    const Rectangle_On_Screen vqos = Layout_Of("TForm_Main_SD").at("ProgressVQOS");
    ASSERT_TRUE(Screen_Shows("runtime_folder_sd_page", [&](const QImage& image) {
        return Count_Pixels(image, vqos, Coloured) > 10;
    })) << "the program runs and polls its camera";
    const fs::path runtime_folder = home / ".cache" / "Quorvale" / "Ravivida Ordexia" / "runtime";
    EXPECT_FALSE(fs::is_empty(runtime_folder)) << "the single-instance lock is in the program's own folder";

    program->Signal(SIGTERM);
    ASSERT_EQ(program->Wait_Exit(Program_Generous_Limit), std::optional<int>(0));
    const std::string error_text = File_Text(errors);
    EXPECT_EQ(error_text.find("XDG_RUNTIME_DIR"), std::string::npos) << error_text;
    EXPECT_EQ(error_text.find("QStandardPaths"), std::string::npos) << error_text;
}

} // namespace program_runtime_folder
