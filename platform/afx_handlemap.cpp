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

// A wrapper only: it does not own its handle.
void Bind(CWnd& wnd, HWND hWnd) { wnd.m_hWnd = hWnd; }
void Bind(CGdiObject& object, HGDIOBJ hObject) { object.m_hObject = hObject; }
void Bind(CDC& dc, HDC hDC) { dc.m_hDC = hDC; }

// The temporary wrapper of a handle, made on first demand.
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

// The wrappers never own their handles: they are detached before deletion.
template <class T, class H>
void DeleteTemps()
{
    for (auto& [h, wrapper] : TempMap<T, H>()) Bind(*wrapper, H{});
    TempMap<T, H>().clear();
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
    if (CWnd* permanent = FromHandlePermanent(hWnd)) return permanent;
    return TempWrapper<CWnd>(hWnd);
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

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) { return TempWrapper<CGdiObject>(hObject); }

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) { return TempWrapper<CBitmap>(hBitmap); }

CDC* CDC::FromHandle(HDC hDC) { return TempWrapper<CDC>(hDC); }

void AfxDeleteTempMaps()
{
    DeleteTemps<CWnd, HWND>();
    DeleteTemps<CGdiObject, HGDIOBJ>();
    DeleteTemps<CBitmap, HBITMAP>();
    DeleteTemps<CDC, HDC>();
}
