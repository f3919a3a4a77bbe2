// Painting: the frame is composed off screen and reaches the window in one
// copy; the minimized window shows its icon.
#include "launcher/launcher_dialog.h"

#include "launcher/frame_composition.h"
#include "launcher/icon_placement.h"

void COrvaneCDDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);

        dc.DrawIcon(CenterIcon(rect, cxIcon, cyIcon), m_hIcon);
        return;
    }

    // The window has no caption; the title is what the taskbar shows.
    AfxGetMainWnd()->SetWindowText(L"Orvane 설치 CD");

    CPaintDC dc(this);
    CDC* surfaces[SURFACE_COUNT] = {};
    surfaces[SURFACE_FRAME] = &m_dcFrame;
    surfaces[SURFACE_BACKGROUND] = &m_dcBackground;
    surfaces[SURFACE_SETUP] = &m_dcSetup;
    surfaces[SURFACE_MANUAL] = &m_dcManual;
    surfaces[SURFACE_READER] = &m_dcReader;
    surfaces[SURFACE_MINIMIZE] = &m_dcMinimize;
    surfaces[SURFACE_CLOSE] = &m_dcClose;
    surfaces[SURFACE_PAINT] = &dc;

    const HotSpotOrigins origins{m_ptClose, m_ptMinimize, m_ptSetup, m_ptManual, m_ptReader};
    for (const FrameTransfer& t : ComposeFrame(m_nHover, origins)) {
        surfaces[t.dst]->BitBlt(t.xDst, t.yDst, t.nWidth, t.nHeight, surfaces[t.src], t.xSrc, t.ySrc, SRCCOPY);
    }

    CDialog::OnPaint();
}

// The version label: black text on white, over a hollow brush.
HBRUSH COrvaneCDDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd->GetDlgCtrlID() == IDC_VERSION_LABEL) {
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->SetTextColor(RGB(0, 0, 0));
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
