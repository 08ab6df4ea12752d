#include "app/render/RenderCapture.h"

#include "app/render/RenderFile.h"

void RenderCapture::Write(const int16_t* interleaved, int frames) {
    if (!capturing_ || failed_) return;
    if (!file_.Write(interleaved, frames)) failed_ = true;
}
