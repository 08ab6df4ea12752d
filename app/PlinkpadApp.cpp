#include "app/PlinkpadApp.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/MainFrame.h"
#include "platform/Host.h"
#include "platform/fs/PrivateProfile.h"
#include "platform/gdi/Display.h"
#include "platform/window/WindowSystem.h"

namespace {

CPlinkpadApp* g_app = nullptr;

constexpr char kDriveLetters[] = "cdefghijklmnopqrstuvwxyz";
constexpr int kDriveTries = 23;  // c..y: the last letter is never tried
constexpr size_t kAudioBufferSize = 200;

std::string CurrentDirectory() {
    std::error_code ec;
    std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? std::string() : cwd.string();
}

bool ChangeDirectory(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::current_path(dir, ec);
    return !ec;
}

}  // namespace

CPlinkpadApp& TheApp() {
    if (g_app == nullptr) {
        std::fputs("plinkpad: no application object\n", stderr);
        std::abort();
    }
    return *g_app;
}

CPlinkpadApp::CPlinkpadApp(std::string homeDir) : m_strHomeDir(std::move(homeDir)) { g_app = this; }

CPlinkpadApp::CPlinkpadApp() : CPlinkpadApp(CurrentDirectory()) {}

CPlinkpadApp::~CPlinkpadApp() {
    m_pMainFrame.reset();
    if (g_app == this) g_app = nullptr;
}

bool CPlinkpadApp::FindAssetDisc() {
    const plat::FileSystem& files = *plat::GetHost().files;
    // Back to where the search began, which an installed program's home
    // folder is not.
    const std::string before = CurrentDirectory();
    bool found = false;
    for (int i = 0; i < kDriveTries && !found; ++i) {
        std::string marker = std::string(1, kDriveLetters[i]) + ":\\Directx\\Drivers\\";
        std::optional<std::filesystem::path> dir = files.Resolve(marker);
        if (dir && ChangeDirectory(*dir)) {
            m_strCDDrive = std::string(1, kDriveLetters[i]);
            found = true;
        }
    }
    if (!before.empty()) ChangeDirectory(before);
    return found;
}

void CPlinkpadApp::ReadSettings() {
    std::optional<std::vector<uint8_t>> bytes = plat::GetHost().files->ReadFile(m_strHomeDir + "\\Plinkpad.INI");
    std::vector<uint8_t> none;
    m_strAudioDir = plat::GetPrivateProfileString(bytes ? *bytes : none, "Plinkpads", "Audio", "\\", kAudioBufferSize);
}

bool CPlinkpadApp::CheckStartup(const plat::Display& display) {
    plat::Dialogs& dialogs = *plat::GetHost().dialogs;
    if (!FindAssetDisc()) {
        dialogs.MessageBox("Please make sure the Plinkpads CD-ROM is in your CD-ROM drive.");
        return false;
    }
    if (display.BitsPerPixel() != 8) {
        dialogs.MessageBox("Your display must be set to 8-bit 256 colors for Plinkpads to run.");
        return false;
    }
    ReadSettings();
    return true;
}

bool CPlinkpadApp::InitInstance(plat::WindowSystem& windows) {
    if (!CheckStartup(windows.GetDisplay())) return false;
    m_pMainFrame = std::make_unique<CMainFrame>(windows);
    if (!m_pMainFrame->CreateFrame()) {
        m_pMainFrame.reset();
        return false;
    }
    return true;
}
