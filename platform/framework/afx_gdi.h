// Graphics objects: device contexts and bitmaps, each owning its handle.
#pragma once

#include "afx_object.h"
#include "afx_types.h"

class CWnd;

// Owns one GDI object handle and deletes it when destroyed.
class CGdiObject : public CObject {
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    ~CGdiObject() override;

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    // A temporary wrapper for a handle the caller does not own (deleted by
    // the framework at idle time, never deleting the handle).
    static CGdiObject* FromHandle(HGDIOBJ hObject);
};

class CBitmap : public CGdiObject {
public:
    BOOL LoadBitmap(UINT nIDResource);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    static CBitmap* FromHandle(HBITMAP hBitmap);
};

// A device context. A CDC made with CreateCompatibleDC owns its memory DC
// and deletes it when destroyed.
class CDC : public CObject {
public:
    HDC m_hDC = nullptr;

    CDC() = default;
    ~CDC() override;

    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    BOOL Attach(HDC hDC);
    HDC Detach();
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectStockObject(int nIndex);

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF SetTextColor(COLORREF crColor);
    int SetBkMode(int nBkMode);
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }
    COLORREF GetPixel(int x, int y) const;

    // A temporary wrapper for a DC the caller does not own.
    static CDC* FromHandle(HDC hDC);
};

// Paints a window between BeginPaint and EndPaint; the DC is clipped to the
// area that needs painting.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);  // throws CResourceException* when refused
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd;
};

// The window's client-area DC, from GetDC to ReleaseDC.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);  // throws CResourceException* when refused
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
