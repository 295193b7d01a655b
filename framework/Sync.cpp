#include "framework/Sync.h"

#include "framework/ResourceException.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)

CSyncObject::CSyncObject(LPCSTR) {}

CSyncObject::~CSyncObject() {
    if (m_hObject != nullptr) ::CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD timeout) { return ::WaitForSingleObject(m_hObject, timeout) == WAIT_OBJECT_0; }

CEvent::CEvent(BOOL initiallyOwn, BOOL manualReset, LPCSTR name, LPSECURITY_ATTRIBUTES attributes) : CSyncObject(name) {
    m_hObject = ::CreateEventA(attributes, manualReset, initiallyOwn, name);
    if (m_hObject == nullptr) AfxThrowResourceException();
}

CCriticalSection::CCriticalSection() { ::InitializeCriticalSection(&m_sect); }

CCriticalSection::~CCriticalSection() { ::DeleteCriticalSection(&m_sect); }

BOOL CCriticalSection::Lock(DWORD timeout) {
    // A critical section cannot wait with a time limit: only "try" or "wait".
    if (timeout == 0) return ::TryEnterCriticalSection(&m_sect);
    ::EnterCriticalSection(&m_sect);
    return TRUE;
}

BOOL CCriticalSection::Unlock() {
    ::LeaveCriticalSection(&m_sect);
    return TRUE;
}

CMutex::CMutex(BOOL initiallyOwn, LPCSTR name, LPSECURITY_ATTRIBUTES attributes) : CSyncObject(name) {
    m_hObject = ::CreateMutexA(attributes, initiallyOwn, name);
    if (m_hObject == nullptr) AfxThrowResourceException();
}

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock) : m_pObject(object) {
    if (initialLock) Lock();
}

BOOL CSingleLock::Lock(DWORD timeout) {
    if (!m_bAcquired) m_bAcquired = m_pObject->Lock(timeout);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
    if (m_bAcquired) m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}
