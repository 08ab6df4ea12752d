#include "audio/Random.h"

#include <ctime>

namespace audio {

int CRandom::Next() {
    m_dwState = m_dwState * 214013u + 2531011u;
    return static_cast<int>((m_dwState >> 16) & 0x7FFFu);
}

int CRandom::Choose(int choices) { return choices > 0 ? Next() % choices : 0; }

CRandom& ProgramRandom() {
    static CRandom instance;
    return instance;
}

uint32_t CurrentTimeSeconds() { return static_cast<uint32_t>(std::time(nullptr)); }

}  // namespace audio
