#include "app/SceneTable.h"

#include "scenes/Scene.h"

std::unique_ptr<CScene> MakeScene(CPlinkpadView& view, int number) {
    (void)view;
    switch (number) {
        // Each scene joins this table when it is built.
        default:
            return nullptr;
    }
}
