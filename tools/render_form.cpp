// render_form: draws a form or window of the program over a working camera
// into a PNG file, for reviewing the screens without equipment.
//
//   render_form FORM OUTPUT.png [--state FILE] [--set NAME=VALUE]... [--cameras N]
//   render_form --help      (lists the forms)
//
// The camera's record starts as a working SD or HD camera (Render_State.h);
// a state file holds NAME=VALUE lines, applied before the --set options.

#include "link/St_system.h"
#include "tools/Render_Forms.h"
#include "tools/Render_State.h"

#include <QApplication>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

void Print_Usage(std::ostream& out)
{
    out << "usage: render_form FORM OUTPUT.png [--state FILE] [--set NAME=VALUE]... [--cameras N]\n"
           "       render_form --help\n";
}

void Print_Help()
{
    Print_Usage(std::cout);
    std::cout << "\nDraws FORM over a working camera (port 1, connected, every block answering) into\n"
                 "OUTPUT.png. --state FILE applies NAME=VALUE lines ('#' starts a comment), then each\n"
                 "--set applies one; --cameras N is the camera count the camera pages read. Names:\n"
                 "  Connected Port_Number Name Wcu_Major Wcu_Minor Video_Range_Frequency\n"
                 "  Data_Range_Frequency Alarm_Battery_Level Disconnected, WCU.<field>,\n"
                 "  AMU1.<field>, AMU2.<field>, DE1.<field>, DE2.<field> (link/St_system_sd.h)\n"
                 "\nForms:\n";
    for (const Renderable_Form& form : Renderable_Forms()) {
        std::cout << "  " << form.Name << std::string(form.Name.size() < 28 ? 28 - form.Name.size() : 1, ' ')
                  << form.Description << "\n";
    }
}

int Usage()
{
    Print_Usage(std::cerr);
    return 2;
}

const Renderable_Form* Find_Form(const std::string& name)
{
    for (const Renderable_Form& form : Renderable_Forms()) {
        if (form.Name == name) {
            return &form;
        }
    }
    return nullptr;
}

struct Options {
    std::vector<std::string> state_files;
    std::vector<std::string> assignments;
    Render_Request request;
};

// False for a malformed command line.
bool Read_Options(int argc, char** argv, Options& options)
{
    for (int i = 3; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        const std::string value = argv[i + 1];
        if (option == "--state") {
            options.state_files.push_back(value);
        } else if (option == "--set") {
            options.assignments.push_back(value);
        } else if (option == "--cameras" && value.find_first_not_of("0123456789") == std::string::npos &&
                   value.size() == 1) {
            options.request.Camera_Count = std::stoi(value);
        } else {
            return false;
        }
    }
    return true;
}

// The offscreen platform stacks no windows and says so at every raise of
// one, the forms' own or the toolkit's as it shows a tool window: the
// renders need no stacking, so that is not worth a line per form.
QtMessageHandler Toolkit_Message_Handler = nullptr;

void Drop_Stacking_Notes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support raise()")) ||
        message.startsWith(QLatin1String("This plugin does not support lower()"))) {
        return;
    }
    if (Toolkit_Message_Handler != nullptr) {
        Toolkit_Message_Handler(type, context, message);
    } else {
        std::cerr << qFormatLogMessage(type, context, message).toStdString() << "\n";
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The cameras' settings are read from and written to a settings folder
    // of the tool's own, never the user's; without a runtime folder of the
    // user's, the toolkit gets that private folder too.
    QTemporaryDir settings;
    for (const char* folder : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"}) {
        qputenv(folder, settings.path().toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", settings.path().toLocal8Bit());
    }
    QApplication application(argc, argv);
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        Toolkit_Message_Handler = qInstallMessageHandler(Drop_Stacking_Notes);
    }
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        Print_Help();
        return 0;
    }
    Options options;
    if (argc < 3 || !Read_Options(argc, argv, options)) {
        return Usage();
    }
    const Renderable_Form* form = Find_Form(argv[1]);
    if (form == nullptr) {
        std::cerr << "unknown form " << argv[1] << " (render_form --help lists them)\n";
        return 2;
    }
    options.request.Adjust = [&options](St_System& state) {
        for (const std::string& file : options.state_files) {
            Apply_File(state, file);
        }
        for (const std::string& assignment : options.assignments) {
            Apply(state, assignment);
        }
    };
    const QString output = QString::fromLocal8Bit(argv[2]);
    try {
        if (!form->Render(options.request).save(output)) {
            std::cerr << "cannot write " << output.toStdString() << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "render_form: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
