// Handle maps: which framework object stands for a window or GDI handle.
// Permanent entries are the objects that own a window; temporary wrappers
// are made on demand for handles nobody wraps and are deleted at idle time.
#include "platform/platform.h"

#include "afx_ptrmap.h"

#include <new>

namespace {

CMapPtrToPtr& PermanentWindows()
{
    static CMapPtrToPtr map;
    return map;
}

// A wrapper only: it does not own its handle.
void Bind(CWnd& wnd, HWND hWnd) { wnd.m_hWnd = hWnd; }
void Bind(CGdiObject& object, HGDIOBJ hObject) { object.m_hObject = hObject; }
void Bind(CDC& dc, HDC hDC) { dc.m_hDC = hDC; }

// The temporary wrappers of one kind of handle; it owns the wrappers, never
// their handles: each is detached before it is deleted.
template <class T, class H> class CTempMap {
public:
    ~CTempMap() { DeleteAll(); }

    T* Lookup(H handle) const { return static_cast<T*>(m_map.Lookup(handle)); }
    bool SetAt(H handle, T* wrapper) { return m_map.SetAt(handle, wrapper); }

    void DeleteAll()
    {
        for (std::size_t i = 0; i < m_map.GetCount(); ++i) {
            T* wrapper = static_cast<T*>(m_map.GetValueAt(i));
            Bind(*wrapper, H{});
            delete wrapper;
        }
        m_map.RemoveAll();
    }

private:
    CMapPtrToPtr m_map;
};

template <class T, class H> CTempMap<T, H>& TempMap()
{
    static CTempMap<T, H> map;
    return map;
}

// The temporary wrapper of a handle, made on first demand; nullptr when no
// memory is left for it.
template <class T, class H> T* TempWrapper(H handle)
{
    if (!handle) return nullptr;
    auto& map = TempMap<T, H>();
    if (T* wrapper = map.Lookup(handle)) return wrapper;
    T* wrapper = new (std::nothrow) T();
    if (!wrapper) return nullptr;
    Bind(*wrapper, handle);
    if (!map.SetAt(handle, wrapper)) {
        Bind(*wrapper, H{});
        delete wrapper;
        return nullptr;
    }
    return wrapper;
}

template <class T, class H> void DeleteTemps() { TempMap<T, H>().DeleteAll(); }

}  // namespace

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return static_cast<CWnd*>(PermanentWindows().Lookup(hWnd)); }

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (CWnd* permanent = FromHandlePermanent(hWnd)) return permanent;
    return TempWrapper<CWnd>(hWnd);
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd) return FALSE;
    if (!PermanentWindows().SetAt(hWndNew, this)) return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandlePermanent(hWnd) == this) PermanentWindows().RemoveKey(hWnd);
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
