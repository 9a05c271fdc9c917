#pragma once
// What the AMU blocks of the SD and HD pages share: the identifier display
// with its blinking clash warning, the three tuners' lock pictures, the
// frame, and the wire to the data emitter, painted with the frame. Each
// page reads these from its own records and adds what only it shows.
//
// Presenter is the page's AMU presenter; Block_Widgets its widgets, which
// name the shared ones alike.

#include "screens/Block_presenter.h"

#include <array>

class TSCLLImage;

// What an AMU block shows alike on both pages, of one record.
struct Amu_Common_View {
    // Shown in hexadecimal; a clash means the other AMU carries the same.
    int Identifier = 0;
    bool Clash = false;
    // Tuners 1 to 3.
    std::array<bool, 3> Locked {};
    // The wire to the data emitter is there.
    bool Wire = false;
    // The frame, and the wire when there, are painted active.
    bool Frame_Lit = false;
};

template <class Presenter, class Block_Widgets>
class AMU_IHM_Main_SD_HD : public Block_Presenter<Presenter> {
public:
    using Widgets = Block_Widgets;

    bool IsFrameActive() const;
    bool IsWireDEVisible() const;
    bool IsWireDEActive() const;
    void ReleaseTitleButton(int ownerLeft, int ownerTop);

protected:
    // clash_hint, identifier_hint: the string numbers of the identifier's
    // hint with and without a clash.
    AMU_IHM_Main_SD_HD(const Widgets& widgets, int clash_hint, int identifier_hint);

    // What SetActive does alike on both pages. wire: the wire to the data
    // emitter is there in the record just polled.
    void Set_Common_Active(bool on, bool wire);
    // RefreshValues' shared steps: the identifier, the wire, the lock
    // pictures and the frame.
    void Refresh_Common(bool full, const Amu_Common_View& shown, const Amu_Common_View& polled);
    // A fault picture, lit while its flag is set.
    static void Refresh_Flag_Image(bool full, TSCLLImage* image, bool was_set, bool is_set);

    Widgets W;

private:
    void RefreshIdentifier(bool full, const Amu_Common_View& shown, const Amu_Common_View& polled);
    void Show_Wire(bool visible);
    void PaintActive(bool wire);
    void PaintInactive(bool wire);

    int Blink_Counter = 0;
    int Clash_Hint;
    int Identifier_Hint;
};
