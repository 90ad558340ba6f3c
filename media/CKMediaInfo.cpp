// CKMediaInfo's class record; the record itself is all inline.
#include "media/CKMediaInfo.h"

K_IMPLEMENT_CLASS(CKMediaInfo, CKObject)
