#pragma once
// Where each world's navigation bar stands and which of the world's own
// pictures it shows: one table for all five worlds.

#include <memory>

class CNavBar;
class CScene;

// Builds the bar of `world` (scene number 1..5) from the pictures of its
// image folders (installed folder first, then the disc) and the shared masks.
// Null for a scene number without a bar (the hub).
std::unique_ptr<CNavBar> MakeNavBar(CScene& world);
