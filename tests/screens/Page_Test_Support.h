#pragma once
// What the SD and HD page tests share: a page without a polling thread over
// a camera's two records, in a fake main window at (40, 30), refreshed as the
// camera does (the snapshot takes the current record after each).

#include "link/St_system.h"
#include "platform/winapi/Message.h"
#include "screens/Status_ihm_sd_hd.h"
#include "tests/support/Fake_Main_Window.h"

#include <atomic>
#include <functional>
#include <memory>

namespace page_test {

using Change = std::function<void(St_System&)>;

// Records holds the camera's `current` and `snapshot` records, set up before
// the page is made over them.
template <class Records, class Page_Form>
struct Page : Records {
    explicit Page(bool sd_cameras) : main_window(sd_cameras)
    {
        main_window.form.SetBounds(40, 30, 791, 452);
        form = std::make_unique<Page_Form>(&main_window.form, nullptr, &camera_count, &summary, &this->snapshot,
                                           &this->current);
    }
    void Refresh(const Change& change, bool full = false)
    {
        change(this->current);
        form->RefreshDisplay(full);
        this->snapshot.Copy(this->current);
    }
    void Key(WORD key)
    {
        TMessage message {WM_KEYDOWN, key, 0, 0};
        form->Dispatch(message);
    }

    Fake_Main_Window main_window;
    std::atomic<int> camera_count {1};
    Status_IHM_SD_HD* summary = nullptr;
    std::unique_ptr<Page_Form> form;
};

} // namespace page_test
