#include "tests/scenes/HubRun.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "graphics/BmpWriter.h"
#include "graphics/DIB.h"

namespace hubtest {

namespace {

constexpr int kStageW = 610, kStageH = 465;

std::vector<uint8_t> ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBmp(const fs::path& p, int w, int h, uint8_t index) {
    gfx::IndexedImage image;
    image.width = w;
    image.height = h;
    // 0 black (mask pixels), 1 white, 2.. a few colours for stand-in pictures.
    image.palette = {{0, 0, 0}, {255, 255, 255}, {200, 60, 60}, {60, 160, 90}, {50, 80, 200}, {230, 200, 60}};
    image.pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), index);
    const std::vector<uint8_t> bytes = gfx::EncodeBmp8(image);
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
}

std::optional<CDIB> ReadDib(const fs::path& p) {
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return std::nullopt;
    CDIB dib;
    const std::vector<uint8_t> bytes = ReadBytes(p);
    if (!dib.Read(bytes)) return std::nullopt;
    return dib;
}

bool BlackAt(const CDIB& mask, plat::Point maskAt, int sx, int sy) {
    const int x = sx - maskAt.x, y = sy - maskAt.y;
    if (x < 0 || y < 0 || x >= mask.GetWidth() || y >= mask.GetHeight()) return false;
    const plat::Rgb c = mask.GetPixelColor(x, y);
    // Masks are drawn into one bit: the nearer of black and white.
    return int(c.r) + int(c.g) + int(c.b) < 3 * 128;
}

// A host path on the drive ("center/ce_bmp/x.bmp") found without regard to case.
fs::path FindOnDrive(const fs::path& root, const std::string& relative) {
    fs::path at = root;
    std::stringstream parts(relative);
    std::string part;
    while (std::getline(parts, part, '/')) {
        std::error_code ec;
        fs::path next;
        for (const auto& entry : fs::directory_iterator(at, ec)) {
            std::string name = entry.path().filename().string();
            if (name.size() == part.size() &&
                std::equal(name.begin(), name.end(), part.begin(),
                           [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
                next = entry.path();
        }
        if (next.empty()) return {};
        at = next;
    }
    return at;
}

const char* const kAssets = "plinkpad/assets/";

}  // namespace

const HubDrive& HubDrive::Get() {
    static const HubDrive drive;
    return drive;
}

HubDrive::HubDrive() {
    const fs::path disc = PLINKPAD_DISC_DIR;
    complete_ = !FindOnDrive(disc, std::string(kAssets) + "center/ce_bmp/Cebkgrnd.bmp").empty() &&
                !FindOnDrive(disc, std::string(kAssets) + "center/ce_bmp/Cehp_bmp/Cehpgrnd.bmp").empty() &&
                !FindOnDrive(disc, std::string(kAssets) + "center/menu/Cemenu.bmp").empty();
    if (complete_) {
        root_ = disc;
        return;
    }
    root_ = fs::path(PLINKPAD_BUILD_DIR) / "hubtest-drive";
    fs::remove_all(root_);
    fs::create_directories(root_ / "Directx" / "Drivers");
    MakeStandIns(disc);
}

void HubDrive::MakeStandIns(const fs::path& disc) {
    // Everything generated so far, linked; the hub's picture folders made here.
    const fs::path assets = root_ / "plinkpad" / "assets";
    fs::create_directories(assets / "center");
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(disc / "plinkpad" / "assets", ec)) {
        const std::string name = entry.path().filename().string();
        if (name == "center") continue;
        fs::create_directory_symlink(entry.path(), assets / name);
    }
    for (const auto& entry : fs::directory_iterator(disc / "plinkpad" / "assets" / "center", ec)) {
        const std::string name = entry.path().filename().string();
        if (name == "ce_wav") fs::create_directory_symlink(entry.path(), assets / "center" / name);
    }
    const fs::path img = assets / "center" / "ce_bmp", mask = assets / "center" / "ce_masks";
    const fs::path help = img / "Cehp_bmp";
    const fs::path menu = assets / "center" / "menu";
    WriteBmp(img / "Cecover.bmp", kStageW, kStageH, 4);
    WriteBmp(img / "Cebkgrnd.bmp", kStageW, kStageH, 3);
    WriteBmp(img / "About_st.bmp", 378, 386, 5);
    for (const char* n : {"cea1", "ceb1", "ceb2", "ceb3", "cew1", "cew2", "cew3", "cew4", "cer1", "cer2", "cer3",
                          "cer4", "cer5", "cer6", "cer7", "cet1", "cet2", "cet3", "cet4", "cet5", "cet12", "cet22",
                          "cet32", "cet42", "cet52", "cec1", "cec2", "cec3", "cec4", "cec5", "ceq1", "ceq2", "ceq3",
                          "ceq4"})
        WriteBmp(img / (std::string(n) + ".bmp"), 24, 24, 2);
    WriteBmp(mask / "Cehalomk.bmp", 330, 380, 0);
    for (const char* n : {"cea1mk", "ceb1mk", "ceb2mk", "ceb3mk", "cer1mk", "cet1mk", "cet2mk", "cet3mk", "cet4mk",
                          "cet5mk"})
        WriteBmp(mask / (std::string(n) + ".bmp"), 24, 24, 0);
    WriteBmp(help / "Cehpgrnd.bmp", kStageW, kStageH, 4);
    for (const MaskAt& m : HelpMasks()) WriteBmp(root_ / m.file, 24, 24, 0);
    for (const char* n : {"Cehp!!", "Cehpgo", "Cehphelp", "Cehpk1", "Cehpk2", "Cehpk3", "Cehpk4", "Cehpk5", "Cehpk6",
                          "Cehpkeys", "Cehpmisc", "Cehpnav", "Cehpopn1", "Cehpopn2", "Cehpquit", "Cehprec1",
                          "Cehprec2", "Cehpz3"})
        WriteBmp(help / (std::string(n) + ".bmp"), 24, 24, 2);
    WriteBmp(menu / "Cemenu.bmp", 196, 28, 4);
    for (const char* n : {"Ceabout", "Cefile", "Cevolume"}) WriteBmp(menu / (std::string(n) + ".bmp"), 56, 24, 5);
    for (const char* n : {"Ceabtmk", "Cefilemk", "Cevolmk"}) WriteBmp(menu / "masks" / (std::string(n) + ".bmp"), 50, 22, 0);
    for (const char* n : {"Ceabout2", "Cefile1", "Cefile2", "Cefile3", "Cefile4", "Cefile5", "Cevolum1", "Cevolum2",
                          "Cevolum3", "Cevolum4", "Cevolum5"})
        WriteBmp(menu / (std::string(n) + ".bmp"), 100, 20, 2);
}

plat::Point HubDrive::PointIn(const MaskAt& m, const std::vector<MaskAt>& before, plat::Point origin) const {
    const std::optional<CDIB> mask = ReadDib(FindOnDrive(root_, m.file));
    if (!mask) throw std::runtime_error("no mask " + m.file);
    std::vector<std::pair<CDIB, plat::Point>> others;
    for (const MaskAt& b : before)
        if (std::optional<CDIB> d = ReadDib(FindOnDrive(root_, b.file))) others.emplace_back(*d, b.at);
    // The accepted pixel nearest the centre of the accepted area whose
    // neighbours are accepted too (a point well inside, not on an edge).
    std::vector<plat::Point> inside;
    long sumX = 0, sumY = 0;
    for (int y = 0; y < mask->GetHeight(); ++y)
        for (int x = 0; x < mask->GetWidth(); ++x) {
            const int sx = m.at.x + x, sy = m.at.y + y;
            bool ok = true;
            for (int dy = -2; dy <= 2 && ok; ++dy)
                for (int dx = -2; dx <= 2 && ok; ++dx) {
                    ok = BlackAt(*mask, m.at, sx + dx, sy + dy);
                    for (const auto& [other, at] : others) ok = ok && !BlackAt(other, at, sx + dx, sy + dy);
                }
            if (!ok) continue;
            inside.push_back({sx, sy});
            sumX += sx;
            sumY += sy;
        }
    if (inside.empty()) throw std::runtime_error("no free point in " + m.file);
    const long cx = sumX / long(inside.size()), cy = sumY / long(inside.size());
    plat::Point best = inside.front();
    long bestD = -1;
    for (const plat::Point& p : inside) {
        const long d = (p.x - cx) * (p.x - cx) + (p.y - cy) * (p.y - cy);
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = p;
        }
    }
    return {best.x + origin.x, best.y + origin.y};
}

bool HubDrive::Accepts(const std::vector<MaskAt>& masks, plat::Point p, plat::Point origin) const {
    for (const MaskAt& m : masks)
        if (std::optional<CDIB> d = ReadDib(FindOnDrive(root_, m.file)); d && BlackAt(*d, m.at, p.x - origin.x, p.y - origin.y))
            return true;
    return false;
}

fs::path RunDir(const std::string& name) { return fs::path(PLINKPAD_BUILD_DIR) / "hubtest-runs" / name; }

std::vector<TraceLine> RunScript(const std::string& name, const std::string& script, const std::string& extraArgs) {
    const fs::path dir = RunDir(name);
    fs::remove_all(dir);
    fs::create_directories(dir / "home");
    std::ofstream(dir / "script.txt") << script;
    const fs::path trace = dir / "trace.txt";
    // The run's own folder is its home too: file dialogs start there.
    const std::string command = "cd '" + (dir / "home").string() + "' && HOME='" + (dir / "home").string() + "' '" +
                                std::string(PLINKPAD_BUILD_DIR) +
                                "/plinkpad' --headless --drives '" + HubDrive::Get().Root().string() + "' --script '" +
                                (dir / "script.txt").string() + "' --trace '" + trace.string() + "' " + extraArgs + " > '" +
                                (dir / "output.txt").string() + "' 2>&1";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("plinkpad failed: see " + dir.string());
    std::vector<TraceLine> lines;
    std::ifstream in(trace);
    std::string line;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        lines.push_back({static_cast<uint32_t>(std::stoul(line.substr(0, space))), line.substr(space + 1)});
    }
    return lines;
}

std::vector<std::string> Texts(const std::vector<TraceLine>& trace, const std::string& prefix) {
    std::vector<std::string> out;
    for (const TraceLine& l : trace)
        if (l.text.rfind(prefix, 0) == 0) out.push_back(l.text);
    return out;
}

int Find(const std::vector<TraceLine>& trace, const std::string& prefix, int from) {
    for (size_t i = static_cast<size_t>(std::max(from, 0)); i < trace.size(); ++i)
        if (trace[i].text.rfind(prefix, 0) == 0) return static_cast<int>(i);
    return -1;
}

int FindLine(const std::vector<TraceLine>& trace, const std::string& text, int from) {
    for (size_t i = static_cast<size_t>(std::max(from, 0)); i < trace.size(); ++i)
        if (trace[i].text == text) return static_cast<int>(i);
    return -1;
}

std::string SoundFile(const TraceLine& line) {
    std::istringstream words(line.text);
    std::string play, id, file;
    words >> play >> id >> file;
    return play == "play" ? file : std::string();
}

int FindSound(const std::vector<TraceLine>& trace, const std::string& file, int from) {
    for (size_t i = static_cast<size_t>(std::max(from, 0)); i < trace.size(); ++i)
        if (SoundFile(trace[i]) == file) return static_cast<int>(i);
    return -1;
}

namespace {
const std::string kCenter = std::string(kAssets) + "center/";
MaskAt Mask(const std::string& file, int x, int y) { return {kCenter + "ce_masks/" + file, {x, y}}; }
}  // namespace

MaskAt HaloMask() { return Mask("Cehalomk.bmp", 195, 38); }
MaskAt GoMask() { return Mask("cea1mk.bmp", 362, 221); }

MaskAt ControlMask(int id) {
    switch (id) {
        case 30: return Mask("ceb1mk.bmp", 99, 246);
        case 34: return Mask("ceb2mk.bmp", 100, 277);
        case 38: return Mask("ceb3mk.bmp", 100, 309);
        default: return Mask("cer1mk.bmp", 87, 97);
    }
}

MaskAt WorldMask(int id) {
    static const plat::Point kAt[] = {{333, 38}, {434, 114}, {414, 291}, {228, 287}, {197, 119}};
    const int k = (id - 80) / 10;
    return Mask("cet" + std::to_string(k + 1) + "mk.bmp", kAt[k].x, kAt[k].y);
}

std::vector<MaskAt> HotspotMasks() {
    return {GoMask(),      ControlMask(30), ControlMask(34), ControlMask(38), ControlMask(60), WorldMask(80),
            WorldMask(90), WorldMask(100),  WorldMask(110),  WorldMask(120)};
}

std::vector<MaskAt> HelpMasks() {
    struct R {
        int x, y;
        const char* mask;
    };
    static const R kRegions[] = {
        {75, 353, "Cehp!!mk.bmp"}, {408, 363, "Cehpgomk.bmp"}, {155, 188, "Cehphpmk.bmp"}, {271, 71, "Cehpk1mk.bmp"},
        {428, 48, "Cehpk2mk.bmp"}, {399, 89, "Cehpk3mk.bmp"},  {335, 175, "Cehpk4mk.bmp"}, {231, 129, "Cehpk5mk.bmp"},
        {274, 7, "Cehpk6mk.bmp"},  {20, 231, "Cehpkymk.bmp"},  {201, 339, "Cehpmcmk.bmp"}, {341, 144, "Cehpnamk.bmp"},
        {23, 152, "Cehpo1mk.bmp"}, {68, 0, "Cehpo2mk.bmp"},    {148, 211, "Cehpqtmk.bmp"}, {5, 57, "Cehpr1mk.bmp"},
        {5, 266, "Cehpr2mk.bmp"},  {420, 0, "Cehpz3mk.bmp"},
    };
    std::vector<MaskAt> out;
    for (const R& r : kRegions) out.push_back({kCenter + "ce_masks/Cehp_mk/" + r.mask, {r.x, r.y}});
    return out;
}

MaskAt MenuHeadingMask(int group) {
    static const MaskAt kHeadings[] = {{"Ceabtmk.bmp", {0, 1}}, {"Cefilemk.bmp", {65, 3}}, {"Cevolmk.bmp", {124, 3}}};
    const MaskAt& h = kHeadings[group];
    return {kCenter + "menu/masks/" + h.file, h.at};
}

plat::Point MenuEntryPoint(int group, int entry) {
    static const std::vector<std::vector<MaskAt>> kEntries = {
        {{"Ceabout2.bmp", {15, 32}}},
        {{"Cefile1.bmp", {65, 33}},
         {"Cefile2.bmp", {65, 56}},
         {"Cefile3.bmp", {65, 77}},
         {"Cefile4.bmp", {65, 99}},
         {"Cefile5.bmp", {65, 128}}},
        {{"Cevolum1.bmp", {124, 32}},
         {"Cevolum2.bmp", {124, 54}},
         {"Cevolum3.bmp", {124, 76}},
         {"Cevolum4.bmp", {124, 98}},
         {"Cevolum5.bmp", {124, 120}}},
    };
    const MaskAt& e = kEntries[static_cast<size_t>(group)][static_cast<size_t>(entry)];
    const std::optional<CDIB> picture = ReadDib(FindOnDrive(HubDrive::Get().Root(), kCenter + "menu/" + e.file));
    if (!picture) throw std::runtime_error("no menu picture " + e.file);
    return {kHubOrigin.x + e.at.x + picture->GetWidth() / 2, kHubOrigin.y + e.at.y + picture->GetHeight() / 2};
}

plat::Point MenuStripPoint() {
    const std::optional<CDIB> strip = ReadDib(FindOnDrive(HubDrive::Get().Root(), kCenter + "menu/Cemenu.bmp"));
    if (!strip) throw std::runtime_error("no menu strip");
    // Inside the strip, on none of the headings.
    std::vector<std::pair<CDIB, plat::Point>> headings;
    for (int g = 0; g < 3; ++g) {
        const MaskAt m = MenuHeadingMask(g);
        if (std::optional<CDIB> d = ReadDib(FindOnDrive(HubDrive::Get().Root(), m.file))) headings.emplace_back(*d, m.at);
    }
    for (int x = strip->GetWidth() - 2; x > 0; --x) {
        const int y = strip->GetHeight() / 2;
        bool free = true;
        for (const auto& [mask, at] : headings) free = free && !BlackAt(mask, at, x, y);
        if (free) return {kHubOrigin.x + x, kHubOrigin.y + y};
    }
    throw std::runtime_error("no free point in the menu strip");
}

}  // namespace hubtest
