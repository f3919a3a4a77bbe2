// The launcher window's construction, initialisation and message map.
#include "launcher/launcher_dialog.h"

#include "app/application.h"
#include "launcher/frame_composition.h"

BEGIN_MESSAGE_MAP(COrvaneCDDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

COrvaneCDDlg::COrvaneCDDlg(CWnd* pParent) : CDialog(COrvaneCDDlg::IDD, pParent)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDI_LAUNCHER_ICON);
}

COrvaneCDDlg::~COrvaneCDDlg() = default;

void COrvaneCDDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL COrvaneCDDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    for (int i = 0; i < HOVER_COUNT; ++i) m_nHover[i] = 0;

    m_ptClose = CPoint(layout::kClose.x, layout::kClose.y);
    m_ptMinimize = CPoint(layout::kMinimize.x, layout::kMinimize.y);
    m_ptSetup = CPoint(layout::kSetup.x, layout::kSetup.y);
    m_ptManual = CPoint(layout::kManual.x, layout::kManual.y);
    m_ptReader = CPoint(layout::kReader.x, layout::kReader.y);

    // The window's own DC is the reference for every memory DC and for the
    // frame buffer, which therefore has the display's format.
    CClientDC dc(this);

    m_dcFrame.CreateCompatibleDC(&dc);
    m_bmpFrame.CreateCompatibleBitmap(&dc, kFrameWidth, kFrameHeight);
    m_dcFrame.SelectObject(&m_bmpFrame);

    // Each picture in a memory DC of its own, from which painting copies.
    auto load = [&dc](CDC& dcPicture, CBitmap& bmpPicture, UINT nIDResource) {
        dcPicture.CreateCompatibleDC(&dc);
        bmpPicture.LoadBitmap(nIDResource);
        dcPicture.SelectObject(&bmpPicture);
    };
    load(m_dcBackground, m_bmpBackground, IDB_BACKGROUND);
    load(m_dcClose, m_bmpClose, IDB_CLOSE_BUTTON);
    load(m_dcMinimize, m_bmpMinimize, IDB_MINIMIZE_BUTTON);
    load(m_dcSetup, m_bmpSetup, IDB_SETUP_ENTRY);
    load(m_dcManual, m_bmpManual, IDB_MANUAL_ENTRY);
    load(m_dcReader, m_bmpReader, IDB_READER_ENTRY);

    // The template always holds the label; a damaged one without it still
    // opens the window.
    if (CWnd* pLabel = GetDlgItem(IDC_VERSION_LABEL)) pLabel->SetWindowText(L"버젼 : 1.02");

    return TRUE;
}

// Shown while the user drags the minimized window.
HCURSOR COrvaneCDDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
