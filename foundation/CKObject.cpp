// Run-time class records, type test, creation by record and the reference count of CKObject.
#include "foundation/CKObject.h"

#include "foundation/KMemory.h"

const KRuntimeClass CKObject::classCKObject = {"CKObject", (int)sizeof(CKObject), nullptr, nullptr};

const KRuntimeClass* CKObject::GetRuntimeClass() const
{
    return &classCKObject;
}

void CKObject::Release()
{
    if (refCount < 1)
        return;
    if (--refCount == 0) {
        refCount = -1;
        delete this;
    }
}

void CKObject::AddRef()
{
    if (refCount >= 0)
        ++refCount;
}

int CKObject::IsKindOf(const KRuntimeClass* record) const
{
    for (const KRuntimeClass* rc = GetRuntimeClass(); rc; rc = rc->base)
        if (rc == record)
            return 1;
    return 0;
}

CKObject* CKObject::CreateObject(const KRuntimeClass* record)
{
    return record && record->create ? record->create() : nullptr;
}

void CKObject::EnableRefCount()
{
    if (refCount == -1)
        refCount = 0;
}

void* CKObject::operator new(size_t bytes) noexcept
{
    return KAlloc(bytes);
}

void CKObject::operator delete(void* block) noexcept
{
    KFree(block);
}
