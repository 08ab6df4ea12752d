#pragma once
// Disc-relative folder names, one spelling each (the program ignores case).

#include <string>

namespace ag::dir {

inline const std::string kAssets = "plinkpad/assets/";
inline const std::string kAll = kAssets + "all/";
inline const std::string kNavMasks = kAll + "masks/nav/";
inline const std::string kRecPalMasks = kAll + "masks/RecPal/";

inline const std::string kCenter = kAssets + "center/";
inline const std::string kCenterImg = kCenter + "ce_bmp/";
inline const std::string kCenterMask = kCenter + "ce_masks/";
inline const std::string kHelpImg = kCenterImg + "Cehp_bmp/";
inline const std::string kHelpMask = kCenterMask + "Cehp_mk/";
inline const std::string kMenu = kCenter + "menu/";
inline const std::string kMenuMask = kMenu + "masks/";

inline const std::string kTroidImg = kAssets + "troid/Image/";
inline const std::string kTroidMask = kAssets + "troid/Masks/";
inline const std::string kStarImg = kAssets + "star/St_bmp/";
inline const std::string kStarMask = kAssets + "star/Stmk_bmp/";
inline const std::string kKBotImg = kAssets + "kbot/kb_bmp/";
inline const std::string kKBotMask = kAssets + "kbot/kb_masks/";
inline const std::string kGamaImg = kAssets + "GAMA/ga_bmp/";
inline const std::string kGamaMask = kAssets + "GAMA/ga_masks/";
inline const std::string kDayImg = kAssets + "day/da_bmp/";
inline const std::string kDayMask = kAssets + "day/da_masks/";

// The Record/Play palette's skin folder of a world (scene number 0..5).
std::string RecPal(int world);
// The world's prefix of palette button pictures ("Ce", "St", ...).
std::string RecPalPrefix(int world);

}  // namespace ag::dir
