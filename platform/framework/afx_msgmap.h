// Message maps: static tables of (message, handler) entries, one per class,
// each linked to its base class's table. Dispatch walks from the most
// derived table to the root; a message no entry takes goes to default
// processing.
#pragma once

#include "afx_object.h"
#include "afx_types.h"

class CCmdTarget;
class CDC;
class CWnd;

// The message being handled, as the window procedure received it.
struct AFX_MSGCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Calls one handler on the object the message is for, unpacking the
// message into the handler's own arguments; returns the message's result.
using AFX_PMSG = LRESULT (*)(CCmdTarget* pTarget, const AFX_MSGCALL& call);

// The handler forms an entry can have.
enum AfxSig : unsigned {
    AfxSig_end = 0,
    AfxSig_vv,         // void ()
    AfxSig_vwp,        // void (UINT flags, CPoint point)   mouse messages
    AfxSig_hv,         // HCURSOR ()                        WM_QUERYDRAGICON
    AfxSig_hDWw,       // HBRUSH (CDC*, CWnd*, UINT)        WM_CTLCOLOR
    AfxSig_bHELPINFO,  // BOOL (HELPINFO*)                  WM_HELP
    AfxSig_lwl,        // LRESULT (WPARAM, LPARAM)          ON_MESSAGE
    AfxSig_cmd,        // void ()                           WM_COMMAND for an id
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message, or WM_COMMAND
    UINT nCode;     // command notification code
    UINT nID;       // first command id
    UINT nLastID;   // last command id (a range)
    UINT_PTR nSig;  // AfxSig
    AFX_PMSG pfn;   // the handler's caller
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The entry of `map` (or of its bases) for a window message, or nullptr.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT nMessage);
// The entry for a command id and notification code, or nullptr.
const AFX_MSGMAP_ENTRY* AfxFindCommandEntry(const AFX_MSGMAP* map, UINT nID, UINT nCode);

// The class a member-function pointer belongs to.
template <class T> struct AfxMemberOf;
template <class T, class R, class... A> struct AfxMemberOf<R (T::*)(A...)> {
    using type = T;
};
// A pointer to a member function of C with the function type F, as void().
template <class C, class F> using AfxMemberFn = F C::*;

// One caller per handler, made by the map macros: the handler's type is
// checked where the entry is written, and no function pointer is ever cast.
template <auto pfn> LRESULT AfxCall_vv(CCmdTarget* p, const AFX_MSGCALL&)
{
    using T = typename AfxMemberOf<decltype(pfn)>::type;
    (static_cast<T*>(p)->*pfn)();
    return 0;
}
template <auto pfn> LRESULT AfxCall_vwp(CCmdTarget* p, const AFX_MSGCALL& c)
{
    using T = typename AfxMemberOf<decltype(pfn)>::type;
    (static_cast<T*>(p)->*pfn)(static_cast<UINT>(c.wParam), CPoint(c.lParam));
    return 0;
}
template <auto pfn> LRESULT AfxCall_hv(CCmdTarget* p, const AFX_MSGCALL&)
{
    using T = typename AfxMemberOf<decltype(pfn)>::type;
    return reinterpret_cast<LRESULT>((static_cast<T*>(p)->*pfn)());
}
template <auto pfn> LRESULT AfxCall_bHELPINFO(CCmdTarget* p, const AFX_MSGCALL& c)
{
    using T = typename AfxMemberOf<decltype(pfn)>::type;
    return (static_cast<T*>(p)->*pfn)(reinterpret_cast<HELPINFO*>(c.lParam));
}
template <auto pfn> LRESULT AfxCall_lwl(CCmdTarget* p, const AFX_MSGCALL& c)
{
    using T = typename AfxMemberOf<decltype(pfn)>::type;
    return (static_cast<T*>(p)->*pfn)(c.wParam, c.lParam);
}
// WM_CTLCOLOR: the DC and the control arrive as handles; the kind of
// request is the message number's distance from WM_CTLCOLORMSGBOX.
LRESULT AfxUnpackCtlColor(const AFX_MSGCALL& c, CDC** ppDC, CWnd** ppWnd, UINT* pnCtlColor);
template <auto pfn> LRESULT AfxCall_hDWw(CCmdTarget* p, const AFX_MSGCALL& c)
{
    using T = typename AfxMemberOf<decltype(pfn)>::type;
    CDC* pDC = nullptr;
    CWnd* pWnd = nullptr;
    UINT nCtlColor = 0;
    AfxUnpackCtlColor(c, &pDC, &pWnd, &nCtlColor);
    return reinterpret_cast<LRESULT>((static_cast<T*>(p)->*pfn)(pDC, pWnd, nCtlColor));
}

// Something that receives commands through its message map.
class CCmdTarget : public CObject {
public:
    // Routes a command (WM_COMMAND id and notification code) through this
    // object's map; TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    virtual const AFX_MSGMAP* GetMessageMap() const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
};

// The map macros are tables, one entry a line: kept out of the formatter,
// which would break each entry over six lines.
// clang-format off
#define DECLARE_MESSAGE_MAP()                                                             \
protected:                                                                                \
    static const AFX_MSGMAP* GetThisMessageMap();                                         \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                            \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }     \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                       \
    {                                                                                     \
        using ThisClass [[maybe_unused]] = theClass;                                      \
        using TheBaseClass = baseClass;                                                   \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                 \
            { 0, 0, 0, 0, AfxSig_end, nullptr }                                           \
        };                                                                                \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,           \
                                              &messageEntries[0]};                        \
        return &messageMap;                                                               \
    }

// The member a command or message entry names, as a pointer to a member
// function of the class that declares it.
#define AFX_MEMBER(memberFxn, signature) \
    static_cast<AfxMemberFn<AfxMemberOf<decltype(memberFxn)>::type, signature>>(memberFxn)
#define AFX_THIS(name, signature) static_cast<AfxMemberFn<ThisClass, signature>>(&ThisClass::name)

//      entry                  message            code id          last id     signature          handler
#define ON_COMMAND(id, fn)     { WM_COMMAND,       0, (UINT)(id), (UINT)(id), AfxSig_cmd,        &AfxCall_vv<AFX_MEMBER(fn, void())> },
#define ON_MESSAGE(msg, fn)    { (UINT)(msg),      0, 0,          0,          AfxSig_lwl,        &AfxCall_lwl<AFX_MEMBER(fn, LRESULT(WPARAM, LPARAM))> },
#define ON_WM_PAINT()          { WM_PAINT,         0, 0,          0,          AfxSig_vv,         &AfxCall_vv<AFX_THIS(OnPaint, void())> },
#define ON_WM_QUERYDRAGICON()  { WM_QUERYDRAGICON, 0, 0,          0,          AfxSig_hv,         &AfxCall_hv<AFX_THIS(OnQueryDragIcon, HCURSOR())> },
#define ON_WM_LBUTTONDOWN()    { WM_LBUTTONDOWN,   0, 0,          0,          AfxSig_vwp,        &AfxCall_vwp<AFX_THIS(OnLButtonDown, void(UINT, CPoint))> },
#define ON_WM_MOUSEMOVE()      { WM_MOUSEMOVE,     0, 0,          0,          AfxSig_vwp,        &AfxCall_vwp<AFX_THIS(OnMouseMove, void(UINT, CPoint))> },
// One entry serves every control-colour message (WM_CTLCOLORMSGBOX ..
// WM_CTLCOLORSTATIC): the framework folds them into WM_CTLCOLOR.
#define ON_WM_CTLCOLOR()       { WM_CTLCOLOR,      0, 0,          0,          AfxSig_hDWw,       &AfxCall_hDWw<AFX_THIS(OnCtlColor, HBRUSH(CDC*, CWnd*, UINT))> },
#define ON_WM_HELPINFO()       { WM_HELP,          0, 0,          0,          AfxSig_bHELPINFO,  &AfxCall_bHELPINFO<AFX_THIS(OnHelpInfo, BOOL(HELPINFO*))> },
#define ON_WM_NCDESTROY()      { WM_NCDESTROY,     0, 0,          0,          AfxSig_vv,         &AfxCall_vv<AFX_THIS(OnNcDestroy, void())> },
// clang-format on

// WM_CTLCOLOR survives only in the framework: the platform sends the
// per-kind messages, which the framework folds into it.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// The framework's command identifiers.
#define ID_HELP 0xE146

// The kinds of control-colour request, as WM_CTLCOLOR passes them.
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
