#include "tools/soundgen/synth/Pitch.h"

#include <cmath>
#include <vector>

namespace synth {

namespace {

double Difference(const float* x, size_t window, size_t lag) {
    double d = 0.0;
    for (size_t j = 0; j < window; ++j) {
        const double e = double(x[j]) - double(x[j + lag]);
        d += e * e;
    }
    return d;
}

// Vertex of the parabola through (lag-1, lag, lag+1).
double Parabolic(double a, double b, double c, double lag) {
    const double den = a - 2.0 * b + c;
    if (std::abs(den) < 1e-20) return lag;
    return lag + 0.5 * (a - c) / den;
}

}  // namespace

std::optional<PitchEstimate> EstimatePitch(const float* x, size_t n, double rate, double minHz, double maxHz) {
    const size_t minLag = size_t(std::floor(rate / maxHz));
    const size_t maxLag = size_t(std::ceil(rate / minHz));
    if (minLag < 2 || n < 2 * maxLag + 2) return std::nullopt;
    const size_t window = n / 2;
    std::vector<double> d(maxLag + 2, 0.0), cmnd(maxLag + 2, 1.0);
    double running = 0.0;
    for (size_t lag = 1; lag <= maxLag + 1; ++lag) {
        d[lag] = Difference(x, window, lag);
        running += d[lag];
        cmnd[lag] = running > 0 ? d[lag] * double(lag) / running : 1.0;
    }
    // First dip under the threshold, followed down to its local minimum;
    // failing that, the global minimum.
    size_t best = 0;
    for (size_t lag = minLag; lag <= maxLag; ++lag) {
        if (cmnd[lag] < 0.2) {
            while (lag + 1 <= maxLag && cmnd[lag + 1] < cmnd[lag]) ++lag;
            best = lag;
            break;
        }
    }
    if (best == 0) {
        best = minLag;
        for (size_t lag = minLag; lag <= maxLag; ++lag)
            if (cmnd[lag] < cmnd[best]) best = lag;
        if (cmnd[best] > 0.5) return std::nullopt;
    }
    double period = Parabolic(cmnd[best - 1], cmnd[best], cmnd[best + 1], double(best));
    // Refinement: the minimum near the m-th multiple of the period measures it
    // m times more finely. Use the largest multiple the window allows.
    const size_t room = n - window - 2;
    const int m = int(double(room) / period);
    if (m >= 2) {
        const size_t centre = size_t(std::lround(period * m));
        size_t bestLag = centre;
        double bestD = Difference(x, window, centre);
        for (size_t lag = centre - 2; lag <= centre + 2 && lag + 1 <= room; ++lag) {
            const double v = Difference(x, window, lag);
            if (v < bestD) {
                bestD = v;
                bestLag = lag;
            }
        }
        if (bestLag + 1 <= room && bestLag >= 1) {
            const double refined = Parabolic(Difference(x, window, bestLag - 1), bestD, Difference(x, window, bestLag + 1),
                                             double(bestLag)) / m;
            if (std::abs(refined - period) < 0.5) period = refined;
        }
    }
    return PitchEstimate{rate / period, cmnd[best]};
}

}  // namespace synth
