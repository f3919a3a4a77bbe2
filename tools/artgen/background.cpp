// The background picture: frame, header band with wordmark, the three entry
// pictures on the white body, and the lower rule above the version label.
#include "art.h"

namespace artgen {

CCanvas DrawBackground()
{
    CCanvas canvas(kBackgroundWidth, kBackgroundHeight, kWhite);
    canvas.FrameRect(2, 2, 288, 274, kOutlineGrey);

    for (int x = kHeaderLeft; x <= kHeaderRight; ++x) canvas.VLine(x, kHeaderTop, kHeaderBottom, HeaderRamp(x));
    DrawWordmark(canvas);
    DrawSlogan(canvas);
    canvas.HLine(4, kHeaderRight, kHeaderBottom + 1, kOutlineGrey);

    DrawSetupPicture(canvas, 28, 72);
    DrawManualPicture(canvas, 32, 136);
    DrawReaderPicture(canvas, 28, 182);

    canvas.HLine(14, 276, 246, kLowerRuleGrey);
    return canvas;
}

}  // namespace artgen
