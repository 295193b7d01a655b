// CCmdTarget, the message maps and CCmdUI.
//
// A message map is a static table per class, chained to its base class's table.
// Each entry names a message (or a command or notification code with an id
// range) and a small "thunk": a plain function, made from a lambda by the
// entry's macro, that unpacks the message parameters and calls the handler
// member with its natural signature. Lookup walks the table of the object's
// class first, then the base classes'.
#pragma once

#include <windows.h>

#include "framework/Object.h"

#define afx_msg

class CCmdTarget;
class CCmdUI;
class CMenu;
class CWnd;

// Command codes passed to OnCmdMsg besides the control notification codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)
// Messages a parent reflects back to the control that sent them: WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00
// The old combined colour message, under which every WM_CTLCOLORxxx is handled.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// Sent to the descendants of the main window when the application is idle, so
// that control bars run the update handlers of their buttons and panes.
#define WM_IDLEUPDATECMDUI 0x0363
// Sent by a frame to its descendants after the frame's initial update.
#define WM_INITIALUPDATE 0x0364

// Everything a thunk may need; it writes lResult and says whether it handled the call.
struct AFX_MSGCALL {
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;       // command or control id
    int nCode = 0;      // command, control-notification or WM_NOTIFY code
    void* pExtra = nullptr;
    LRESULT lResult = 0;
};

using AFX_MSGTHUNK = BOOL (*)(CCmdTarget* target, AFX_MSGCALL& call);

// How an entry matches.
enum class AfxEntryKind : UINT {
    End,
    Message,          // a window message (nMessage)
    Registered,       // a registered window message whose id is in *pRegistered
    Command,          // WM_COMMAND: code nCode from an id in [nID, nLastID]
    Notify,           // WM_NOTIFY: code nCode from an id in [nID, nLastID]
    ReflectCommand,   // a reflected WM_COMMAND with code nCode
    ReflectNotify,    // a reflected WM_NOTIFY with code nCode
};

struct AFX_MSGMAP_ENTRY {
    AfxEntryKind kind;
    UINT nMessage;
    int nCode;
    UINT nID;
    UINT nLastID;
    const UINT* pRegistered;
    AFX_MSGTHUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// OnCmdMsg fills this in instead of calling the handler when asked only
// whether one exists (menu items without a handler are disabled).
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

// WM_NOTIFY parameters as they travel through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// The table lives in a static member function, so that the thunks (lambdas
// in its initialiser) may call protected and private handlers and can name
// the class as ThisClass.
#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();               \
                                                                \
public:                                                         \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                   \
        using ThisClass = theClass;                                                     \
        using TheBaseClass = baseClass;                                                 \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                               \
        {AfxEntryKind::End, 0, 0, 0, 0, nullptr, nullptr}};                             \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                             \
    }

#define AFX_ENTRY(kind, msg, code, id, lastId, reg, body)                                     \
    {AfxEntryKind::kind, (UINT)(msg), (int)(code), (UINT)(id), (UINT)(lastId), reg,          \
     [](CCmdTarget* _target, AFX_MSGCALL& _call) -> BOOL {                                    \
         auto* _self = static_cast<ThisClass*>(_target);                                 \
         (void)_self;                                                                         \
         (void)_call;                                                                         \
         body                                                                                 \
     }},

// Commands from menus, accelerators and toolbar buttons, and their update handlers.
#define ON_COMMAND(id, memberFxn) AFX_ENTRY(Command, WM_COMMAND, CN_COMMAND, id, id, nullptr, _self->memberFxn(); return TRUE;)
#define ON_COMMAND_EX(id, memberFxn) AFX_ENTRY(Command, WM_COMMAND, CN_COMMAND, id, id, nullptr, return _self->memberFxn(_call.nID);)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_ENTRY(Command, WM_COMMAND, CN_COMMAND, id, idLast, nullptr, _self->memberFxn(_call.nID); return TRUE;)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_ENTRY(Command, WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr, _self->memberFxn(static_cast<CCmdUI*>(_call.pExtra)); return TRUE;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    AFX_ENTRY(Command, WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, nullptr, _self->memberFxn(static_cast<CCmdUI*>(_call.pExtra)); return TRUE;)

// Control notifications through WM_COMMAND.
#define ON_CONTROL(code, id, memberFxn) AFX_ENTRY(Command, WM_COMMAND, code, id, id, nullptr, _self->memberFxn(); return TRUE;)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    AFX_ENTRY(Command, WM_COMMAND, code, id, idLast, nullptr, _self->memberFxn(_call.nID); return TRUE;)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
// A check list box's check change.
#define CLBN_CHKCHANGE 40
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)

// WM_NOTIFY from common controls: handler(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn)                                                           \
    AFX_ENTRY(Notify, WM_NOTIFY, code, id, id, nullptr,                                           \
              auto* _n = static_cast<AFX_NOTIFY*>(_call.pExtra); _self->memberFxn(_n->pNMHDR, _n->pResult); return TRUE;)
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                             \
    AFX_ENTRY(Notify, WM_NOTIFY, code, id, idLast, nullptr,                                       \
              auto* _n = static_cast<AFX_NOTIFY*>(_call.pExtra); _self->memberFxn(_call.nID, _n->pNMHDR, _n->pResult); return TRUE;)
#define ON_NOTIFY_EX(code, id, memberFxn)                                                        \
    AFX_ENTRY(Notify, WM_NOTIFY, code, id, id, nullptr,                                           \
              auto* _n = static_cast<AFX_NOTIFY*>(_call.pExtra); return _self->memberFxn(_call.nID, _n->pNMHDR, _n->pResult);)
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn)                                          \
    AFX_ENTRY(Notify, WM_NOTIFY, code, id, idLast, nullptr,                                       \
              auto* _n = static_cast<AFX_NOTIFY*>(_call.pExtra); return _self->memberFxn(_call.nID, _n->pNMHDR, _n->pResult);)

// Notifications a control handles itself when its parent reflects them.
#define ON_CONTROL_REFLECT(code, memberFxn) AFX_ENTRY(ReflectCommand, WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, nullptr, _self->memberFxn(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(code, memberFxn) AFX_ENTRY(ReflectCommand, WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, nullptr, return _self->memberFxn();)
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                       \
    AFX_ENTRY(ReflectNotify, WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, nullptr,                    \
              auto* _n = static_cast<AFX_NOTIFY*>(_call.pExtra); _self->memberFxn(_n->pNMHDR, _n->pResult); return TRUE;)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                                    \
    AFX_ENTRY(ReflectNotify, WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, nullptr,                    \
              auto* _n = static_cast<AFX_NOTIFY*>(_call.pExtra); return _self->memberFxn(_n->pNMHDR, _n->pResult);)
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)

// Any message with the raw parameters: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    AFX_ENTRY(Message, message, 0, 0, 0, nullptr, _call.lResult = _self->memberFxn(_call.wParam, _call.lParam); return TRUE;)
#define ON_REGISTERED_MESSAGE(messageVariable, memberFxn) \
    AFX_ENTRY(Registered, 0, 0, 0, 0, &messageVariable, _call.lResult = _self->memberFxn(_call.wParam, _call.lParam); return TRUE;)
// A window message whose handler takes no arguments and returns nothing.
#define AFX_ON_VOID(message, memberFxn) AFX_ENTRY(Message, message, 0, 0, 0, nullptr, _self->memberFxn(); return TRUE;)

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Looks for a handler of the command or notification nCode from nID and
    // calls it. With pHandlerInfo set, only reports whether there is one.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The wait cursor while a long operation runs.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Automation is not used by this program; these keep the calls harmless.
    void EnableAutomation() {}

    virtual const AFX_MSGMAP* GetMessageMap() const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
};

// Counts nested wait-cursor requests: +1 shows the wait cursor, -1 ends one
// request (the old cursor returns after the last), 0 shows it again.
void AfxDoWaitCursor(int nCode);

// Finds the entry of a message map chain that matches; null when none does.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, AfxEntryKind kind, UINT message, int code, UINT id);

// Enables, checks and names one user-interface item for a command: a menu
// item, a toolbar button or a status bar pane. Control bars derive their own
// kind and override the virtual operations.
class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;     // the menu holding the item, when a menu item
    CMenu* m_pSubMenu = nullptr;  // the popup that the item opens, if any
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;     // the control bar or window, when not a menu item
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    // An update handler calls this to let the targets after it handle the item too.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes the update through pTarget; with no handler found and
    // bDisableIfNoHandler, disables the item when no command handler exists either.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};
