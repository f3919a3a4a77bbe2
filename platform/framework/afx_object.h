// The root classes: CObject, the exceptions, and data exchange.
#pragma once

class CWnd;

class CObject {
public:
    virtual ~CObject() = default;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// Framework exceptions are thrown by pointer, as the framework documents;
// the catcher calls Delete().
class CException : public CObject {
public:
    void Delete() { delete this; }
    virtual const wchar_t* GetErrorMessage() const { return L"An unknown error has occurred."; }
};

// A platform resource (a device context, a window, a bitmap) was refused.
class CResourceException : public CException {
public:
    const wchar_t* GetErrorMessage() const override { return L"A required resource was unavailable."; }
};

[[noreturn]] void AfxThrowResourceException();

// Passed to DoDataExchange: which way data moves between controls and members.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, int bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    int m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};
