// Synchronisation objects: events, critical sections and mutexes, and
// CSingleLock to hold one of them for a scope.
#pragma once

#include <windows.h>

#include "framework/Object.h"

class CSyncObject : public CObject {
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCSTR name = nullptr);
    ~CSyncObject() override;
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    HANDLE m_hObject = nullptr;
    operator HANDLE() const { return m_hObject; }

    virtual BOOL Lock(DWORD timeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG, LONG* = nullptr) { return TRUE; }
};

// An event: manual-reset ones stay set until ResetEvent.
class CEvent : public CSyncObject {
    DECLARE_DYNAMIC(CEvent)
public:
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, LPCSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES attributes = nullptr);
    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
    BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
    BOOL Unlock() override { return TRUE; }
};

class CCriticalSection : public CSyncObject {
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    ~CCriticalSection() override;
    operator CRITICAL_SECTION*() { return &m_sect; }
    BOOL Lock(DWORD timeout = INFINITE) override;
    BOOL Unlock() override;

    CRITICAL_SECTION m_sect;
};

class CMutex : public CSyncObject {
    DECLARE_DYNAMIC(CMutex)
public:
    explicit CMutex(BOOL initiallyOwn = FALSE, LPCSTR name = nullptr, LPSECURITY_ATTRIBUTES attributes = nullptr);
    BOOL Unlock() override { return ::ReleaseMutex(m_hObject); }
};

// Holds a synchronisation object from Lock (or construction with initialLock)
// to Unlock or the end of the scope.
class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE);
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};
