// The drawable registry: the map from "file:name" to the shared drawables, and GetDrawable.
#include "graphics/KDrawableRegistry.h"

#include <string>
#include <unordered_map>

#include "foundation/CKMapT.h"
#include "foundation/KString.h"
#include "graphics/CKDrawable.h"
#include "graphics/CKDrawableXml.h"
#include "graphics/CKStateBoxDrawable.h"

namespace {

constexpr int REGISTRY_NODES_PER_BLOCK = 32;

CKMapStrAT<CKDrawable*>* g_registry;   // owned; holds one reference on each drawable
// Owned: the same drawables by key (borrowed from the registry). The map keeps the order the
// drawables are released in; the index finds a key at once, so that reading a drawable file of n
// drawables, each checked against those already known, costs O(n) and not O(n^2).
std::unordered_map<std::string, CKDrawable*>* g_index;

bool EnsureRegistry()
{
    if (!g_registry)
        g_registry = new CKMapStrAT<CKDrawable*>(REGISTRY_NODES_PER_BLOCK);
    if (!g_index)
        g_index = new std::unordered_map<std::string, CKDrawable*>();
    return g_registry && g_index;
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
    if (!g_index || !key)
        return nullptr;
    const auto found = g_index->find(key);
    return found != g_index->end() ? found->second : nullptr;
}

int RegisterDrawable(const char* key, CKDrawable* drawable)
{
    if (!key || !drawable || !EnsureRegistry() || !g_registry->SetAt(key, drawable))
        return 0;
    // With two entries of one key the registry's lookup found the first: so does the index.
    g_index->emplace(key, drawable);
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
    delete g_index;
    g_index = nullptr;
    if (!g_registry)
        return;
    g_registry->RemoveAll(&ReleaseEntry, nullptr);
    delete g_registry;
    g_registry = nullptr;
}
