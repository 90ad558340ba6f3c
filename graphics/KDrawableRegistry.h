// The process-wide drawable registry: every drawable read from a drawable file, under the key
// file + ":" + name ("res/DrawableCtrl.xml:DefCheckBoxIcon"), from the first request until the
// library shuts down. A file is read on the first request for any of its names, and all its
// drawables are registered in that one pass (graphics/CKDrawableXml.h).
//
// Registry rules: the registry holds one reference on each drawable (EnableRefCount, then AddRef);
// entries are never removed before shut-down, when every drawable is released and the map deleted.
// GetDrawable hands out the registry's object: a caller that keeps it AddRefs it and Releases it
// later. Lookups are case-sensitive and take constant time (an index beside the map). UI thread
// only.
#pragma once

class CKDrawable;

// The drawable `name` of the drawable file `file` (a library path: a loose file under "AppRes"
// first, else the compiled-in resource). When the key is not registered yet the file is read;
// none when the file cannot be read or does not define the name (a later request for a missing
// name reads the file again, which stops at its first drawable, already known).
CKDrawable* GetDrawable(const char* file, const char* name);

// The registered drawable for a key, or none.
CKDrawable* LookupDrawable(const char* key);
// Registers `drawable` under `key`: switches its count on and adds the registry's reference.
// 0 when memory ran out (the drawable is then untouched and still the caller's).
int RegisterDrawable(const char* key, CKDrawable* drawable);
// Number of registered drawables.
int GetDrawableCount();

// Drawables' start-up step: creates the registry if it does not exist yet (the first request
// creates it too).
void KInitDrawables();
// Drawables' shut-down step: releases the shared state box, then every registered drawable, and
// deletes the registry.
void KTermDrawables();
