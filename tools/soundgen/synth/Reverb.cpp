#include "tools/soundgen/synth/Reverb.h"

#include <array>
#include <vector>

#include "tools/soundgen/synth/Envelope.h"

namespace synth {

namespace {

class Comb {
public:
    explicit Comb(size_t n) : m_buf(n, 0.0f) {}
    float Process(float x, float feedback, float damp) {
        const float y = m_buf[m_pos];
        m_store = y * (1.0f - damp) + m_store * damp;
        m_buf[m_pos] = x + m_store * feedback;
        if (++m_pos == m_buf.size()) m_pos = 0;
        return y;
    }

private:
    std::vector<float> m_buf;
    size_t m_pos = 0;
    float m_store = 0.0f;
};

class AllPass {
public:
    explicit AllPass(size_t n) : m_buf(n, 0.0f) {}
    float Process(float x) {
        const float b = m_buf[m_pos];
        m_buf[m_pos] = x + b * 0.5f;
        if (++m_pos == m_buf.size()) m_pos = 0;
        return b - x;
    }

private:
    std::vector<float> m_buf;
    size_t m_pos = 0;
};

// Delay lengths of the classic design, halved for 22050 Hz; the right
// channel's lines are a little longer, which decorrelates the two sides.
constexpr std::array<size_t, 8> kCombs{558, 594, 638, 678, 711, 745, 778, 808};
constexpr std::array<size_t, 4> kAllPasses{278, 220, 170, 112};
constexpr size_t kSpread = 12;

class Channel {
public:
    explicit Channel(size_t spread) {
        for (size_t n : kCombs) m_combs.emplace_back(n + spread);
        for (size_t n : kAllPasses) m_allPasses.emplace_back(n + spread);
    }
    float Process(float x, float feedback, float damp) {
        float sum = 0.0f;
        for (Comb& c : m_combs) sum += c.Process(x, feedback, damp);
        for (AllPass& a : m_allPasses) sum = a.Process(sum);
        return sum;
    }

private:
    std::vector<Comb> m_combs;
    std::vector<AllPass> m_allPasses;
};

struct Tank {
    Channel left{0}, right{kSpread};
    float feedback, damp, inputGain = 0.015f;
    explicit Tank(const ReverbParams& p) : feedback(float(0.7 + 0.28 * p.roomSize)), damp(float(p.damping * 0.4)) {}
    void Run(const Stereo& in, size_t i, float& outL, float& outR) {
        const float x = (in.left[i] + in.right[i]) * inputGain;
        outL = left.Process(x, feedback, damp);
        outR = right.Process(x, feedback, damp);
    }
};

}  // namespace

Stereo ReverbOneShot(const Stereo& in, const ReverbParams& p, double tailSeconds) {
    Stereo src = in;
    src.Resize(in.Size() + SamplesOf(tailSeconds));
    Stereo out(src.Size());
    Tank tank(p);
    for (size_t i = 0; i < src.Size(); ++i) {
        float l, r;
        tank.Run(src, i, l, r);
        out.left[i] = float(p.dry) * src.left[i] + float(p.wet) * l;
        out.right[i] = float(p.dry) * src.right[i] + float(p.wet) * r;
    }
    FadeOut(out.left, tailSeconds * 0.5);
    FadeOut(out.right, tailSeconds * 0.5);
    return out;
}

Stereo ReverbLoop(const Stereo& in, const ReverbParams& p) {
    Stereo out(in.Size());
    Tank tank(p);
    // Three passes: the tank's state entering the last pass is the state a
    // repeating loop has, to well below the 16-bit noise floor for tails
    // shorter than two loop lengths.
    constexpr int kPasses = 3;
    for (int pass = 0; pass < kPasses; ++pass) {
        for (size_t i = 0; i < in.Size(); ++i) {
            float l, r;
            tank.Run(in, i, l, r);
            if (pass == kPasses - 1) {
                out.left[i] = float(p.dry) * in.left[i] + float(p.wet) * l;
                out.right[i] = float(p.dry) * in.right[i] + float(p.wet) * r;
            }
        }
    }
    return out;
}

}  // namespace synth
