// CDialog: a window created from a dialog template and run modally.
#pragma once

#include "afx_wnd.h"

class CDialog : public CWnd {
public:
    CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the window from the template, centres it on the screen when
    // the template leaves it unplaced, runs the modal loop until EndDialog,
    // hides and destroys the window and returns EndDialog's value; -1 at
    // once when the window cannot be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    // Base handlers of the dialog class.
    void OnPaint();

    UINT GetTemplateID() const { return m_nIDHelp; }

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    LPCWSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

// The dialog procedure of every framework dialog: it runs OnInitDialog;
// every other message has already gone through the message map.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
