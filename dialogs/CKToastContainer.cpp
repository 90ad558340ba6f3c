// CKToastContainer: a toast's measures.
#include "dialogs/CKToastContainer.h"

K_IMPLEMENT_CLASS(CKToastContainer, CKAlertContainer)

namespace {

// A toast's margin in base units; its message has no least height.
constexpr int TOAST_MARGIN_UNITS = 3;
constexpr int TOAST_MIN_HEIGHT_UNITS = 0;

} // namespace

CKToastContainer::CKToastContainer() : CKAlertContainer(TOAST_MARGIN_UNITS, TOAST_MIN_HEIGHT_UNITS)
{
}
