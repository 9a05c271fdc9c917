#pragma once
// What another process shows on an X display, seen from outside: its mapped
// top-level windows, their titles, sizes and owning process, and the focus.

#include <sys/types.h>

#include <string>
#include <vector>

struct _XDisplay;

class X_Screen_Watch {
public:
    // Opens the display DISPLAY names; Open() false when there is none.
    X_Screen_Watch();
    ~X_Screen_Watch();
    X_Screen_Watch(const X_Screen_Watch&) = delete;
    X_Screen_Watch& operator=(const X_Screen_Watch&) = delete;

    bool Open() const { return display != nullptr; }

    struct Window_Seen {
        unsigned long Id = 0;
        std::string Title;
        int Width = 0;
        int Height = 0;
        pid_t Pid = 0; // 0 when the window does not say
    };
    // The mapped top-level windows.
    std::vector<Window_Seen> Shown_Windows();

    // From now on, every window mapped anywhere is noted.
    void Watch_Mappings();
    // The windows mapped since Watch_Mappings, as they are now (a window
    // already gone has no title and no pid).
    std::vector<Window_Seen> Mapped_Since();

    // Gives the input focus to a small window of this watch's own.
    void Take_Focus();
    // A PropertyNotify to the window: its owner learns the server's time now,
    // so that a focus change it asks for later is not older than Take_Focus.
    void Touch(unsigned long window);
    unsigned long Focus();

    // The values of a property of the window in 32-bit items (atoms,
    // cardinals, hints); empty when it has none of that format.
    std::vector<unsigned long> Property_Values(unsigned long window, const std::string& property);
    unsigned long Atom_Of(const std::string& name);

private:
    Window_Seen Describe(unsigned long window);

    _XDisplay* display = nullptr;
    unsigned long own_window = 0;
    bool watching = false;
};
