// The pointer: hover tracking, and the actions of a left press.
#include "launcher/launcher_dialog.h"

#include <cstdlib>

void COrvaneCDDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    m_nHover[HOVER_CLOSE] = HitButton(m_ptClose, point) ? 1 : 0;
    m_nHover[HOVER_MINIMIZE] = HitButton(m_ptMinimize, point) ? 1 : 0;
    m_nHover[HOVER_SETUP] = HitEntry(m_ptSetup, point) ? 1 : 0;
    m_nHover[HOVER_MANUAL] = HitEntry(m_ptManual, point) ? 1 : 0;
    m_nHover[HOVER_READER] = HitEntry(m_ptReader, point) ? 1 : 0;

    // Every move repaints the whole client area; the paint composes the
    // whole frame anyway.
    InvalidateRect(nullptr, FALSE);

    CDialog::OnMouseMove(nFlags, point);
}

// The tests are independent and run in order: a press can do more than one
// thing (the minimize button lies in the drag band too).
void COrvaneCDDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (HitButton(m_ptClose, point)) {
        // Ends the process here; the window object is never destroyed.
        exit(-1);
    }
    if (HitButton(m_ptMinimize, point)) {
        AfxGetMainWnd()->ShowWindow(SW_MINIMIZE);
        m_nHover[HOVER_MINIMIZE] = 0;
    }
    if (HitEntry(m_ptSetup, point)) {
        ShellExecuteW(nullptr, L"open", L".\\Setup.exe", nullptr, nullptr, SW_SHOWNORMAL);
    }
    if (HitEntry(m_ptManual, point)) {
        ShellExecuteW(nullptr, L"open", L".\\manual.pdf", nullptr, nullptr, SW_SHOWNORMAL);
    }
    if (HitEntry(m_ptReader, point)) {
        ShellExecuteW(nullptr, L"open", L".\\AdbeRdr70_kor.exe", nullptr, nullptr, SW_SHOWNORMAL);
    }
    if (HitDragBand(point)) {
        // A press on a caption to the platform: it moves the window with the
        // pointer until the button is released, and only then returns.
        ::SendMessageW(AfxGetMainWnd()->m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }

    CDialog::OnLButtonDown(nFlags, point);
}
