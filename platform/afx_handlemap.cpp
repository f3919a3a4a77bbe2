// Handle maps: which framework object stands for a window or GDI handle.
// Permanent entries are the objects that own a window; temporary wrappers
// are made on demand for handles nobody wraps and are deleted at idle time.
#include "platform.h"

#include <memory>
#include <unordered_map>

namespace {

std::unordered_map<HWND, CWnd*>& PermanentWindows()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

template <class T, class H>
std::unordered_map<H, std::unique_ptr<T>>& TempMap()
{
    static std::unordered_map<H, std::unique_ptr<T>> map;
    return map;
}

}  // namespace

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto& map = PermanentWindows();
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd) return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hWnd)) return permanent;
    auto& temps = TempMap<CWnd, HWND>();
    auto& slot = temps[hWnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hWnd;  // a wrapper only: it does not own the window
    }
    return slot.get();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd) return FALSE;
    m_hWnd = hWndNew;
    PermanentWindows()[hWndNew] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd) {
        auto& map = PermanentWindows();
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == this) map.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

namespace {

void Bind(CGdiObject& object, HGDIOBJ hObject) { object.m_hObject = hObject; }
void Bind(CDC& dc, HDC hDC) { dc.m_hDC = hDC; }

// The temporary wrapper of a GDI handle, made on first demand.
template <class T, class H>
T* TempWrapper(H handle)
{
    if (!handle) return nullptr;
    auto& slot = TempMap<T, H>()[handle];
    if (!slot) {
        slot = std::make_unique<T>();
        Bind(*slot, handle);
    }
    return slot.get();
}

}  // namespace

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) { return TempWrapper<CGdiObject>(hObject); }

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) { return TempWrapper<CBitmap>(hBitmap); }

CDC* CDC::FromHandle(HDC hDC) { return TempWrapper<CDC>(hDC); }

void AfxDeleteTempMaps()
{
    // The wrappers never own their handles: detach before deleting.
    for (auto& [h, wnd] : TempMap<CWnd, HWND>()) wnd->m_hWnd = nullptr;
    TempMap<CWnd, HWND>().clear();
    for (auto& [h, obj] : TempMap<CGdiObject, HGDIOBJ>()) obj->m_hObject = nullptr;
    TempMap<CGdiObject, HGDIOBJ>().clear();
    for (auto& [h, bmp] : TempMap<CBitmap, HBITMAP>()) bmp->m_hObject = nullptr;
    TempMap<CBitmap, HBITMAP>().clear();
    for (auto& [h, dc] : TempMap<CDC, HDC>()) dc->m_hDC = nullptr;
    TempMap<CDC, HDC>().clear();
}
