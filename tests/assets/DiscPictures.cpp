#include "tests/assets/DiscPictures.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace disc {

namespace {
std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

std::filesystem::path Root() { return PLINKPAD_DISC_DIR; }

std::optional<std::filesystem::path> Find(const std::string& relPath) {
    std::filesystem::path at = Root();
    size_t start = 0;
    while (start <= relPath.size()) {
        const size_t slash = relPath.find('/', start);
        const std::string part = relPath.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part.empty()) break;
        std::error_code ec;
        std::optional<std::filesystem::path> next;
        for (const auto& e : std::filesystem::directory_iterator(at, ec))
            if (Lower(e.path().filename().string()) == Lower(part)) next = e.path();
        if (!next) return std::nullopt;
        at = *next;
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return at;
}

std::unique_ptr<CDIB> LoadPicture(const std::string& relPath) {
    const auto path = Find(relPath);
    if (!path) return nullptr;
    std::ifstream f(*path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    auto dib = std::make_unique<CDIB>();
    if (!dib->Read(bytes) || dib->GetBitCount() != 8 || dib->GetCompression() != 0) return nullptr;
    return dib;
}

std::vector<std::string> PicturesUnder(const std::string& relFolder) {
    std::vector<std::string> out;
    const auto folder = Find(relFolder);
    if (!folder) return out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(*folder)) {
        if (!e.is_regular_file() || Lower(e.path().extension().string()) != ".bmp") continue;
        out.push_back(relFolder + std::filesystem::relative(e.path(), *folder).generic_string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool IsMaskName(const std::string& relPath) {
    const std::string l = Lower(relPath);
    return l.find("mask") != std::string::npos || l.find("stmk_bmp") != std::string::npos || l.find("cehp_mk") != std::string::npos ||
           (l.size() > 6 && l.compare(l.size() - 6, 6, "mk.bmp") == 0 && l.find("stn1mk") == std::string::npos);
}

}  // namespace disc
