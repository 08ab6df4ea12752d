#include "app/render/RenderCapture.h"

#include "audio/file/SoundFileWriter.h"

void RenderCapture::Write(const int16_t* interleaved, int frames) {
    if (!capturing_ || failed_) return;
    if (!writer_.Write(interleaved, frames)) failed_ = true;
}
