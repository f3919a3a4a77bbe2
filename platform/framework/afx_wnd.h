// CWnd: a framework object bound to one platform window. Messages reach it
// through the window's subclassed procedure and its message map.
#pragma once

#include "afx_msgmap.h"

class CWnd : public CCmdTarget {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    ~CWnd() override;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Handle map: the permanent object bound to a window, or a temporary
    // wrapper that the framework deletes at idle time.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes the window's messages through this object's message map.
    BOOL SubclassWindow(HWND hWnd);

    // Window operations.
    BOOL DestroyWindow();
    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void SetWindowText(LPCWSTR lpszString);
    int GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    DWORD GetStyle() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    CWnd* GetParent() const;

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PostNcDestroy();
    // Default processing of the message being handled.
    LRESULT Default();

    // Modal loop used by CDialog::DoModal.
    int RunModalLoop();
    void EndModalLoop(int nResult);
    BOOL ContinueModal() const { return m_bContinueModal; }

    // Base handlers: each passes the message being handled to default
    // processing, unless it says otherwise.
    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    HCURSOR OnQueryDragIcon();
    // F1: a top-level window with no modifier key held turns the help
    // request into the ID_HELP command for the main window.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnNcDestroy();

protected:
    WNDPROC m_pfnSuper = nullptr;  // the procedure replaced by subclassing
    BOOL m_bContinueModal = FALSE;
    int m_nModalResult = -1;

    DECLARE_MESSAGE_MAP()

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

// The window procedure of every subclassed window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Deletes the temporary wrappers made by FromHandle (called at idle time).
void AfxDeleteTempMaps();
