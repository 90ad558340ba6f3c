// CKFaceDrawable: the abstract kind of drawable that paints a face filling its rectangle (colour,
// image or nothing), as window backgrounds and item faces require; icons and texts are not faces.
#pragma once
#include "graphics/CKDrawable.h"

class CKFaceDrawable : public CKDrawable
{
    K_DECLARE_CLASS(CKFaceDrawable)

protected:
    CKFaceDrawable() = default;
};
