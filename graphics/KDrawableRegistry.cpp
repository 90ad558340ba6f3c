// The drawable registry: the map from "file:name" to the shared drawables, and GetDrawable.
#include "graphics/KDrawableRegistry.h"

#include "foundation/CKMapT.h"
#include "foundation/KString.h"
#include "graphics/CKDrawable.h"
#include "graphics/CKDrawableXml.h"
#include "graphics/CKStateBoxDrawable.h"

namespace {

constexpr int REGISTRY_NODES_PER_BLOCK = 32;

CKMapStrAT<CKDrawable*>* g_registry;   // owned; holds one reference on each drawable

bool EnsureRegistry()
{
    if (!g_registry)
        g_registry = new CKMapStrAT<CKDrawable*>(REGISTRY_NODES_PER_BLOCK);
    return g_registry != nullptr;
}

void ReleaseEntry(CKDrawable** drawable, void*)
{
    (*drawable)->Release();
}

} // namespace

CKDrawable* GetDrawable(const char* file, const char* name)
{
    KStringA key;
    if (!file || !name || key.Assign(file) < 0 || key.Append(":") < 0 || key.Append(name) < 0)
        return nullptr;
    CKDrawable* known = LookupDrawable(key);
    if (known)
        return known;
    CKDrawableXml reader;
    reader.Load(file, name);
    return reader.GetFound();
}

CKDrawable* LookupDrawable(const char* key)
{
    if (!g_registry || !key)
        return nullptr;
    CKDrawable** found = g_registry->Lookup(key);
    return found ? *found : nullptr;
}

int RegisterDrawable(const char* key, CKDrawable* drawable)
{
    if (!key || !drawable || !EnsureRegistry() || !g_registry->SetAt(key, drawable))
        return 0;
    drawable->EnableRefCount();
    drawable->AddRef();
    return 1;
}

int GetDrawableCount()
{
    return g_registry ? g_registry->GetCount() : 0;
}

void KInitDrawables()
{
    EnsureRegistry();
}

void KTermDrawables()
{
    ReleaseStateBoxDrawable();
    if (!g_registry)
        return;
    g_registry->RemoveAll(&ReleaseEntry, nullptr);
    delete g_registry;
    g_registry = nullptr;
}
