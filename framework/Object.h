#pragma once
// CObject and its run-time class information: class names for archives,
// dynamic creation, IsKindOf, and the register of serialisable classes that the
// archive consults when it meets a class name in a file.

#include <windows.h>
#include "framework/Debug.h"

class CObject;
class CArchive;
class CDumpContext;

// A schema with this bit set accepts any stored schema when loading; the class's
// Serialize reads the stored one through CArchive::GetObjectSchema.
#define VERSIONABLE_SCHEMA (0x80000000u)

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                   // 0xFFFF: not serialisable
    CObject* (*m_pfnCreateObject)();  // null: no dynamic creation
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;      // register of serialisable classes

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered serialisable class of that name, or null.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
};

// Adds a class to the register; run by the static object IMPLEMENT_SERIAL defines.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    virtual void Serialize(CArchive& ar);
    // Diagnostics of debug builds; they do nothing here.
    virtual void AssertValid() const {}
    virtual void Dump(CDumpContext&) const {}

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// CArchive::ReadObject for the typed operator>> of IMPLEMENT_SERIAL, so that a
// class's source needs only this header (defined with the archive).
CObject* AfxReadObject(CArchive& ar, const CRuntimeClass* pClassRefRequested);

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, static_cast<int>(sizeof(class_name)), (wSchema), pfnNew, \
        RUNTIME_CLASS(base_class_name), nullptr }; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* class_name::CreateObject() { return new class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, (wSchema), class_name::CreateObject) \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name)); \
    CArchive& operator>>(CArchive& ar, class_name*& pOb) \
    { \
        pOb = static_cast<class_name*>(AfxReadObject(ar, RUNTIME_CLASS(class_name))); \
        return ar; \
    }
