#include "app/SceneTable.h"

#include "scenes/CenterScene.h"
#include "scenes/Scene.h"

std::unique_ptr<CScene> MakeScene(CPlinkpadView& view, int number) {
    switch (number) {
        case 0:
            return std::make_unique<CCenterScene>(&view);
        // Each scene joins this table when it is built.
        default:
            return nullptr;
    }
}
