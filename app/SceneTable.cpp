#include "app/SceneTable.h"

#include "app/PlinkpadView.h"
#include "scenes/Scene.h"
#include "scenes/center/CenterScene.h"
#include "scenes/day/DayScene.h"
#include "scenes/gama/GamaScene.h"
#include "scenes/kbot/KBotScene.h"
#include "scenes/star/StarScene.h"
#include "scenes/troid/TroidScene.h"

std::unique_ptr<CScene> MakeScene(CPlinkpadView& view, int number) {
    switch (number) {
        case 0: return std::make_unique<CCenterScene>(&view);
        case 1: return std::make_unique<CStarScene>(&view);
        case 2: return std::make_unique<CDayScene>(&view);
        case 3: return std::make_unique<CKBotScene>(&view);
        case 4: return std::make_unique<CTroidScene>(&view);
        case 5: return std::make_unique<CGamaScene>(&view);
        default: return nullptr;
    }
}
