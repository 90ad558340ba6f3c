// CKFaceDrawable: the class record of the abstract face drawables.
#include "graphics/CKFaceDrawable.h"

K_IMPLEMENT_CLASS(CKFaceDrawable, CKDrawable)
