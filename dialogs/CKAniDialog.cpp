// CKAniDialog: the motions and easing curves of the dialogs' show and hide effects.
#include "dialogs/CKAniDialog.h"

#include <cmath>

#include "dialogs/CKDialog.h"

K_IMPLEMENT_CLASS(CKAniDialog, CKAnimate)

namespace {

constexpr double PI = 3.14159265358979323846;
// The elastic curves: period 0.3 of the progress, shifted by a quarter period.
constexpr double ELASTIC_PERIOD = 0.3;
constexpr double ELASTIC_SHIFT = 0.075;

double ElasticWave(double q)
{
    return std::sin((q - ELASTIC_SHIFT) * 2 * PI / ELASTIC_PERIOD);
}

// Hiding with a motion ends where showing with its mirror starts.
unsigned int Mirror(unsigned int motion)
{
    switch (motion) {
    case KDLG_MOTION_LEFT:
        return KDLG_MOTION_RIGHT;
    case KDLG_MOTION_RIGHT:
        return KDLG_MOTION_LEFT;
    case KDLG_MOTION_TOP:
        return KDLG_MOTION_BOTTOM;
    case KDLG_MOTION_BOTTOM:
        return KDLG_MOTION_TOP;
    case KDLG_MOTION_GROW_RIGHT:
        return KDLG_MOTION_GROW_LEFT;
    case KDLG_MOTION_GROW_LEFT:
        return KDLG_MOTION_GROW_RIGHT;
    case KDLG_MOTION_GROW_DOWN:
        return KDLG_MOTION_GROW_UP;
    case KDLG_MOTION_GROW_UP:
        return KDLG_MOTION_GROW_DOWN;
    default:
        return 0;
    }
}

} // namespace

CKAniDialog::CKAniDialog(CKDialog* dialog, int hiding, unsigned int easing, const RECT& start,
                         const RECT& end)
    : CKAnimate(dialog), hiding(hiding), easing(easing), start(start), end(end)
{
}

CKDialog* CKAniDialog::GetDialog() const
{
    return window && window->IsKindOf(K_RUNTIME_CLASS(CKDialog)) ? (CKDialog*)window : nullptr;
}

void CKAniDialog::OnBegin()
{
    if (CKDialog* dialog = GetDialog())
        dialog->SetBoxRect(start);
}

void CKAniDialog::OnStep(int permille)
{
    CKDialog* dialog = GetDialog();
    if (!dialog)
        return;
    const int eased = Ease(easing, permille);
    const RECT rect = {Interpolate(start.left, end.left, eased),
                       Interpolate(start.top, end.top, eased),
                       Interpolate(start.right, end.right, eased),
                       Interpolate(start.bottom, end.bottom, eased)};
    dialog->SetBoxRect(rect);
}

void CKAniDialog::OnEnd()
{
    CKDialog* dialog = GetDialog();
    if (!dialog)
        return;
    dialog->SetBoxRect(end);
    if (hiding)
        dialog->FinishClose();
}

int CKAniDialog::Ease(unsigned int curve, int permille)
{
    if (permille <= 0 || permille >= KANIM_PERMILLE_END)
        return permille;
    const double p = permille / (double)KANIM_PERMILLE_END;
    double f;
    switch (curve & KDLG_EASING_MASK) {
    case KDLG_EASE_CUBIC_IN:
        f = p * p * p;
        break;
    case KDLG_EASE_CUBIC_ROOT:
        f = std::cbrt(p);
        break;
    case KDLG_EASE_CUBIC_IN_OUT: {
        const double q = 2 * p;
        f = q < 1 ? q * q * q / 2 : ((q - 2) * (q - 2) * (q - 2) + 2) / 2;
        break;
    }
    case KDLG_EASE_ELASTIC_IN: {
        const double q = p - 1;
        f = -(std::pow(2.0, 10 * q) * ElasticWave(q));
        break;
    }
    case KDLG_EASE_ELASTIC_OUT:
        f = std::pow(2.0, -10 * p) * ElasticWave(p) + 1;
        break;
    case KDLG_EASE_ELASTIC_IN_OUT: {
        const double q = 2 * p - 1;
        f = q < 0 ? -0.5 * std::pow(2.0, 10 * q) * ElasticWave(q)
                  : 0.5 * std::pow(2.0, -10 * q) * ElasticWave(q) + 1;
        break;
    }
    default:
        f = p;
        break;
    }
    return (int)std::floor(f * KANIM_PERMILLE_END + 0.5);
}

int CKAniDialog::MotionRect(unsigned int motion, const RECT& box, const RECT& view, bool hide,
                            RECT* out)
{
    RECT rect = box;
    switch (hide ? Mirror(motion) : motion) {
    case KDLG_MOTION_LEFT:
        OffsetRect(&rect, view.left - box.right, 0);
        break;
    case KDLG_MOTION_RIGHT:
        OffsetRect(&rect, view.right - box.left, 0);
        break;
    case KDLG_MOTION_TOP:
        OffsetRect(&rect, 0, view.top - box.bottom);
        break;
    case KDLG_MOTION_BOTTOM:
        OffsetRect(&rect, 0, view.bottom - box.top);
        break;
    case KDLG_MOTION_GROW_RIGHT:
        rect.right = rect.left;
        break;
    case KDLG_MOTION_GROW_LEFT:
        rect.left = rect.right;
        break;
    case KDLG_MOTION_GROW_DOWN:
        rect.bottom = rect.top;
        break;
    case KDLG_MOTION_GROW_UP:
        rect.top = rect.bottom;
        break;
    default:
        return 0;
    }
    *out = rect;
    return 1;
}
