// COrvaneCDDlg: the launcher's one window, a dialog painted entirely from
// bitmaps, with three entries, its own close and minimize buttons and a top
// band that moves it.
#pragma once

#include "platform/platform.h"
#include "res/resource.h"
#include "launcher/hot_spot.h"

class COrvaneCDDlg : public CDialog {
public:
    explicit COrvaneCDDlg(CWnd* pParent = nullptr);
    ~COrvaneCDDlg() override;

    enum { IDD = IDD_LAUNCHER_DIALOG };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

    // The window's state. Hover states and origins get their values in
    // OnInitDialog; the images and the frame buffer are created there once
    // and stay selected in their DCs until the object goes. Each bitmap is
    // declared before its DC, so the DC is deleted first.
    int m_nHover[HOVER_COUNT];
    CPoint m_ptClose;
    CPoint m_ptMinimize;
    CPoint m_ptSetup;
    CPoint m_ptManual;
    CPoint m_ptReader;
    CBitmap m_bmpClose;
    CDC m_dcClose;
    CBitmap m_bmpMinimize;
    CDC m_dcMinimize;
    CBitmap m_bmpSetup;
    CDC m_dcSetup;
    CBitmap m_bmpManual;
    CDC m_dcManual;
    CBitmap m_bmpReader;
    CDC m_dcReader;
    CBitmap m_bmpBackground;
    CDC m_dcBackground;
    CBitmap m_bmpFrame;
    CDC m_dcFrame;
    HICON m_hIcon;

    // Tests read the state through this accessor.
    friend struct CLauncherDialogProbe;
};
