#include "app/Options.h"

#include <charconv>
#include <string>

namespace {

constexpr int kMaxMonkeySeconds = 7 * 24 * 3600;  // the clock wraps after 49 days
constexpr int kMaxScale = 8;

bool ParseInt(const std::string& s, int lo, int hi, int& out) {
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

bool ParseSeed(const std::string& s, uint32_t& out) {
    uint32_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    out = v;
    return true;
}

bool ParseSize(const std::string& s, int& w, int& h) {
    size_t x = s.find_first_of("xX");
    if (x == std::string::npos) return false;
    return ParseInt(s.substr(0, x), 640, 8192, w) && ParseInt(s.substr(x + 1), 480, 8192, h);
}

}  // namespace

const char* OptionsUsage() {
    return "Usage: plinkpad [options] [FILE.sts]\n"
           "  FILE.sts               open this session once the hub is up, as Open Session does\n"
           "  --help                 show this text\n"
           "  --windowed             run in a window instead of full screen\n"
           "  --screen WxH           size of the virtual screen (default 640x480)\n"
           "  --depth N              colour depth the screen reports (default 8)\n"
           "  --drives DIR:DIR:...   directories standing for drives c:, d:, ... (at most 23)\n"
           "                         (default: the program's own disc, then removable media;\n"
           "                         also taken from PLINKPAD_DRIVES)\n"
           "  --headless             no window or sound device; time moves only by script\n"
           "  --script FILE          drive the program with a script (see docs/scripting.md)\n"
           "  --trace FILE           write a trace of what the program does\n"
           "  --audio-out FILE.wav   also write everything played to a WAV file\n"
           "  --audio-buffer FRAMES  frames per audio device buffer (default 512)\n"
           "  --rate HZ              frames per second of the sound output (default 48000)\n"
           "  --seed N               seed of the program's random choices, 0 to 4294967295\n"
           "                         (default: the time; with --render: 1)\n"
           "  --render SESSION.sts OUT.wav|OUT.flac|OUT.ogg|OUT.mp4|OUT.webm|OUT.mkv\n"
           "                         play every cut of a session in order, as \"Play all cuts\"\n"
           "                         does, into a sound file or a video of the screen, with no\n"
           "                         window or sound device\n"
           "  --scale N              a video's pixels per screen pixel, 1 to 8 (default 2)\n"
           "  --monkey SECONDS       headless: random use of every scene for SECONDS of program\n"
           "                         time, checking that nothing hangs or is lost (--seed\n"
           "                         repeats a run; default 1)\n"
           "  --monkey-script FILE   writes the monkey's input as a script for --script\n";
}

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    ParsedOptions r;
    AppOptions& o = r.options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                r.error = "option " + a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--headless") {
            o.headless = true;
        } else if (a == "--windowed") {
            o.windowed = true;
        } else if (a == "--script") {
            if (!value(o.scriptPath)) return r;
        } else if (a == "--trace") {
            if (!value(o.tracePath)) return r;
        } else if (a == "--audio-out") {
            if (!value(o.audioOutPath)) return r;
        } else if (a == "--drives") {
            if (!value(v)) return r;
            o.drives = v;
        } else if (a == "--screen") {
            if (!value(v)) return r;
            if (!ParseSize(v, o.screenWidth, o.screenHeight)) {
                r.error = "--screen wants WIDTHxHEIGHT (at least 640x480, the largest stage), not '" + v + "'";
                return r;
            }
        } else if (a == "--depth") {
            if (!value(v)) return r;
            if (!ParseInt(v, 1, 32, o.depth)) {
                r.error = "--depth wants a number of bits from 1 to 32, not '" + v + "'";
                return r;
            }
        } else if (a == "--audio-buffer") {
            if (!value(v)) return r;
            if (!ParseInt(v, 16, 65536, o.audioBufferFrames)) {
                r.error = "--audio-buffer wants a number of frames from 16 to 65536, not '" + v + "'";
                return r;
            }
        } else if (a == "--rate") {
            if (!value(v)) return r;
            if (!ParseInt(v, 8000, 192000, o.sampleRate)) {
                r.error = "--rate wants frames per second from 8000 to 192000, not '" + v + "'";
                return r;
            }
        } else if (a == "--seed") {
            if (!value(v)) return r;
            uint32_t seed = 0;
            if (!ParseSeed(v, seed)) {
                r.error = "--seed wants a number from 0 to 4294967295, not '" + v + "'";
                return r;
            }
            o.seed = seed;
        } else if (a == "--render") {
            if (i + 2 >= args.size()) {
                r.error = "option --render needs a session file and an output file";
                return r;
            }
            o.renderSession = args[++i];
            o.renderOut = args[++i];
        } else if (a == "--scale") {
            if (!value(v)) return r;
            if (!ParseInt(v, 1, kMaxScale, o.scale)) {
                r.error = "--scale wants a whole number from 1 to " + std::to_string(kMaxScale) + ", not '" + v + "'";
                return r;
            }
        } else if (a == "--monkey") {
            if (!value(v)) return r;
            if (!ParseInt(v, 1, kMaxMonkeySeconds, o.monkeySeconds)) {
                r.error = "--monkey wants a number of seconds from 1 to " + std::to_string(kMaxMonkeySeconds) + ", not '" + v + "'";
                return r;
            }
        } else if (a == "--monkey-script") {
            if (!value(o.monkeyScriptPath)) return r;
        } else if (a.empty() || a[0] != '-') {
            if (!o.sessionPath.empty()) {
                r.error = "one session file at a time, not both '" + o.sessionPath + "' and '" + a + "'";
                return r;
            }
            o.sessionPath = a;
        } else {
            r.error = "unknown option '" + a + "'";
            return r;
        }
    }
    if (o.monkeySeconds > 0 && (!o.headless || !o.scriptPath.empty() || !o.renderSession.empty())) {
        r.error = "--monkey works with --headless and without --script or --render";
        return r;
    }
    if (o.scale != 0 && o.renderSession.empty()) {
        r.error = "--scale works with --render only";
        return r;
    }
    if (!o.monkeyScriptPath.empty() && o.monkeySeconds == 0) {
        r.error = "--monkey-script works with --monkey only";
        return r;
    }
    return r;
}
