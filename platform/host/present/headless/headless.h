// The headless presenter: windows live only in memory, on a virtual screen
// of kScreenWidth x kScreenHeight pixels. Tests and scripted sessions drive
// them as a user would (pointer and keys, in screen coordinates) and read
// the pixels a window shows.
//
// ORVANE_PRESENTER=headless picks it (present/registry). A scripted session
// reads ORVANE_HEADLESS_SCRIPT: see script.h.
#pragma once

#include "present/presenter.h"
#include "win32.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace host::headless {

constexpr int kScreenWidth = kDefaultScreenWidth;
constexpr int kScreenHeight = kDefaultScreenHeight;

// Called whenever the UI thread would block waiting for input (GetMessage,
// a modal or move loop) and the queue holds nothing. The hook
// gives input or inspects windows. If it gives nothing, the thread has no
// input left: the presenter reports it on stderr and ends the process with
// status 124, so a session that never ends fails instead of hanging.
// A session script, when there is one, runs as this hook.
using IdleHook = std::function<void()>;
void SetIdleHook(IdleHook hook);

// A new headless presenter (the registry's choice for "headless").
std::unique_ptr<Presenter> MakePresenter();

// Gestures of this presenter's own, made of USER's input calls
// (user/presenting.h, which tests call directly for single presses and
// keys): a move that stays on the virtual screen, and whole keystrokes.
void MovePointer(int screenX, int screenY);
void Key(UINT vk);         // down and up
void KeyWithAlt(UINT vk);  // Alt held: Alt+F4

// What a top-level window shows: its surface, children included.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
Picture Snapshot(HWND top);

// Text that MessageBoxW showed, oldest first (MessageBoxW returns IDOK at once).
const std::vector<std::wstring>& MessageBoxLog();

// Forget all windows, queued messages, hooks and logs (between tests), and
// make the headless presenter the current one.
void Reset();

}  // namespace host::headless
