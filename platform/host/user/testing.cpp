// A clean slate between tests.
#include "user/testing.h"

#include "user/internal.h"

namespace host::user {

void ForgetEverything()
{
    ReleaseAllDcs();
    ForgetAllWindows();
    ClearQueue();
    Input() = InputState{};
}

}  // namespace host::user
