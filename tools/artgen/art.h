// The pictures of the launcher, each drawn by its own file, and the few
// facts of the layout they share.
#pragma once

#include <vector>

#include "canvas.h"
#include "ico_writer.h"
#include "launcher/layout.h"

namespace artgen {

// Colours of the header and rules.
constexpr Rgb kOutlineGrey{126, 126, 126};
constexpr Rgb kLowerRuleGrey{167, 167, 167};
constexpr Rgb kRampStart{254, 254, 255};
constexpr Rgb kRampEnd{159, 179, 215};
constexpr Rgb kInk{35, 32, 33};
constexpr Rgb kBrandBlue{72, 123, 190};
constexpr Rgb kBrandBlueEdge{111, 152, 206};

using layout::kBackgroundHeight;
using layout::kBackgroundWidth;
constexpr int kHeaderTop = 4;
constexpr int kHeaderBottom = 52;
constexpr int kHeaderLeft = 3;
constexpr int kHeaderRight = 287;
constexpr int kRampFirst = 30;  // white up to the column before

// The header band's colour in background column x.
Rgb HeaderRamp(int x);

enum class EEntry { kSetup, kManual, kReader };
using layout::kEntryHeight;
using layout::kEntryWidth;

enum class EButton { kClose, kMinimize };
static_assert(layout::kButtonWidth == layout::kButtonHeight, "the buttons are drawn square");
constexpr int kButtonSize = layout::kButtonWidth;
using SButtonPlace = layout::SOrigin;
SButtonPlace ButtonOrigin(EButton button);

CCanvas DrawBackground();
void DrawWordmark(CCanvas& canvas);
void DrawSlogan(CCanvas& canvas);
void DrawSetupPicture(CCanvas& canvas, int x, int y);
void DrawManualPicture(CCanvas& canvas, int x, int y);
void DrawReaderPicture(CCanvas& canvas, int x, int y);

CCanvas DrawEntryStrip(EEntry entry);
CCanvas DrawButtonStrip(EButton button);

std::vector<CIconImage> DrawIcons();  // 32x32, then 16x16

}  // namespace artgen
