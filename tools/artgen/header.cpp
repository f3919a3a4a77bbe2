// The header band's ramp, shared by the background and the two buttons so
// that a button's inside matches the band behind it exactly.
#include "art.h"

namespace artgen {

Rgb HeaderRamp(int x)
{
    if (x < kRampFirst) return kWhite;
    const double t = static_cast<double>(x - kRampFirst) / (kHeaderRight - kRampFirst);
    return Mix(kRampStart, kRampEnd, t > 1 ? 1 : t);
}

SButtonPlace ButtonOrigin(EButton button) { return button == EButton::kClose ? layout::kClose : layout::kMinimize; }

}  // namespace artgen
