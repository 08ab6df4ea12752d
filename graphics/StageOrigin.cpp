#include "graphics/StageOrigin.h"

StageOrigin& TheStageOrigin() {
    static StageOrigin origin;
    return origin;
}
