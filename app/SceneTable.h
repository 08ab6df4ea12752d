#pragma once
// The scenes by number: 0 the hub "Center", 1 Star, 2 Day, 3 kBot, 4 Troid,
// 5 Gama. The stage view makes its scenes through this table.

#include <memory>

class CPlinkpadView;
class CScene;

// A new scene for `number`, constructed for `view`; null for a number that
// has no scene.
std::unique_ptr<CScene> MakeScene(CPlinkpadView& view, int number);
