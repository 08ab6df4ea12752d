#pragma once
// The stage origin: where the stage's top-left corner lies in the view's
// client area (view coordinates = stage coordinates + origin). Each scene's
// constructor sets it to half the difference between the view's size and its
// stage size; stage-relative buttons add it for their rectangle, hit tests and
// drawing on the window. One per program; window thread only.

struct StageOrigin {
    int x = 0;
    int y = 0;
};

// The program's stage origin (the application's m_nStageX, m_nStageY).
StageOrigin& TheStageOrigin();
