#include "app/SceneTable.h"

#include "scenes/center/CenterScene.h"
#include "scenes/Scene.h"
#include "scenes/star/StarScene.h"
#include "scenes/troid/TroidScene.h"

std::unique_ptr<CScene> MakeScene(CPlinkpadView& view, int number) {
    switch (number) {
        case 0:
            return std::make_unique<CCenterScene>(&view);
        case 1:
            return std::make_unique<CStarScene>(&view);
        case 4:
            return std::make_unique<CTroidScene>(&view);
        // Each scene joins this table when it is built.
        default:
            return nullptr;
    }
}
