// The one presenter a process has, and how the first one is found.
#include "present/presenter.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace host {
namespace {

struct Slot {
    std::unique_ptr<Presenter> presenter;
    PresenterChooser chooser = nullptr;
};

Slot& TheSlot()
{
    static Slot slot;
    return slot;
}

}  // namespace

Presenter& CurrentPresenter()
{
    Slot& slot = TheSlot();
    if (!slot.presenter) {
        if (!slot.chooser) {
            std::fprintf(stderr, "OrvaneCD: this program was built without a presenter\n");
            std::fflush(nullptr);
            _exit(3);
        }
        slot.presenter = slot.chooser();
    }
    return *slot.presenter;
}

SIZE ScreenSize()
{
    RECT r = CurrentPresenter().ScreenRect();
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void UsePresenter(std::unique_ptr<Presenter> presenter) { TheSlot().presenter = std::move(presenter); }

bool HasPresenter() { return TheSlot().presenter != nullptr; }

void SetPresenterChooser(PresenterChooser chooser) { TheSlot().chooser = chooser; }

[[noreturn]] void EndStarved(const char* text)
{
    std::fflush(stdout);
    ssize_t ignored = write(2, text, std::strlen(text));
    (void)ignored;
    _exit(124);
}

}  // namespace host
