// Root of every class: a static run-time class record per class (name, size, base, factory),
// the type test along the base chain, creation by record, and the optional intrusive count.
//
// Reference-count protocol (the only one in the library): every object starts at -1, "not
// counted", owned by whoever created it and deleted directly. A shared object is switched on with
// EnableRefCount() (-1 -> 0); each holder then AddRef()s it and Release()s it when letting go; the
// Release that brings the count back to 0 sets it to -1 and deletes the object. Release on an
// object that is not counted does nothing, and AddRef on it does nothing either.
#pragma once
#include <cstddef>

class CKObject;

// One static, read-only record per class.
struct KRuntimeClass
{
    const char* name;            // class name, e.g. "CKFile"
    int size;                    // size of an instance in bytes
    const KRuntimeClass* base;   // the base class's record; none for CKObject
    CKObject* (*create)();       // factory, or none for classes that cannot be created by record
};

class CKObject
{
public:
    CKObject() = default;
    virtual ~CKObject() = default;
    virtual const KRuntimeClass* GetRuntimeClass() const;
    virtual void Release();
    virtual void AddRef();

    // 1 when `record` is this object's class record or one of its bases, else 0.
    int IsKindOf(const KRuntimeClass* record) const;
    // A new instance from the record's factory, or none when the record has none.
    static CKObject* CreateObject(const KRuntimeClass* record);
    // -1 becomes 0; a counted object is left as it is.
    void EnableRefCount();
    int GetRefCount() const { return refCount; }

    // Objects live on the library's heap (KAlloc/KFree); allocation failure yields none.
    static void* operator new(size_t bytes) noexcept;
    static void operator delete(void* block) noexcept;

    static const KRuntimeClass classCKObject;

    CKObject(const CKObject&) = delete;
    CKObject& operator=(const CKObject&) = delete;

protected:
    int refCount = -1;   // -1: not counted; otherwise the number of holders
};

// Declares the class record and its accessor; put at the top of the class body.
#define K_DECLARE_CLASS(cls)                                  \
public:                                                       \
    static const KRuntimeClass class##cls;                    \
    const KRuntimeClass* GetRuntimeClass() const override;

// As K_DECLARE_CLASS, for classes that can be created from their record.
#define K_DECLARE_DYNCREATE(cls)                              \
    K_DECLARE_CLASS(cls)                                      \
    static CKObject* CreateInstance();

#define K_IMPLEMENT_CLASS_RECORD(cls, basecls, factory)                                         \
    const KRuntimeClass cls::class##cls = {#cls, (int)sizeof(cls), &basecls::class##basecls,  \
                                           factory};                                            \
    const KRuntimeClass* cls::GetRuntimeClass() const { return &cls::class##cls; }

// Defines the record of a class without a factory; put in the class's .cpp.
#define K_IMPLEMENT_CLASS(cls, basecls) K_IMPLEMENT_CLASS_RECORD(cls, basecls, nullptr)

// Defines the record of a class with a factory; put in the class's .cpp.
#define K_IMPLEMENT_DYNCREATE(cls, basecls)                          \
    CKObject* cls::CreateInstance() { return new cls(); }            \
    K_IMPLEMENT_CLASS_RECORD(cls, basecls, &cls::CreateInstance)

#define K_RUNTIME_CLASS(cls) (&cls::class##cls)
