#include "present/sdl/message_box.h"

namespace host::sdl {

BoxLayout MessageBoxLayout(UINT type)
{
    BoxLayout box;
    switch (type & 0x0F) {
    case 1:
        box.buttons = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
        box.escapeId = IDCANCEL;
        break;
    case 2:
        box.buttons = {{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}};
        box.escapeId = IDABORT;
        break;
    case 3:
        box.buttons = {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
        box.escapeId = IDCANCEL;
        break;
    case 4:
        box.buttons = {{IDYES, "Yes"}, {IDNO, "No"}};
        box.escapeId = IDNO;
        break;
    case 5:
        box.buttons = {{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}};
        box.escapeId = IDCANCEL;
        break;
    default:
        box.buttons = {{IDOK, "OK"}};
        box.escapeId = IDOK;
        break;
    }
    switch (type & 0xF0) {
    case 0x10: box.icon = BoxLayout::Icon::Error; break;
    case 0x20:
    case 0x30: box.icon = BoxLayout::Icon::Warning; break;
    case 0x40: box.icon = BoxLayout::Icon::Information; break;
    default: break;
    }
    return box;
}

}  // namespace host::sdl
