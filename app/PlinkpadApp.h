#pragma once
// The application object: finds the assets disc, refuses a display that is not
// 8 bits per pixel, reads the settings file, and opens the main frame with the
// stage view. It holds the path prefixes every scene builds its folders from.
// Exactly one exists while the program runs (TheApp()); window thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace plat {
class Display;
class WindowSystem;
}  // namespace plat

class CMainFrame;

class CPlinkpadApp {
public:
    // Takes `homeDir` as the install directory (where the settings file and
    // the installed pictures and sounds are) and registers itself as TheApp().
    // The host (plat::GetHost()) must be set up first.
    explicit CPlinkpadApp(std::string homeDir);
    // The same with the current directory as the install directory (empty
    // when it cannot be read).
    CPlinkpadApp();
    ~CPlinkpadApp();
    CPlinkpadApp(const CPlinkpadApp&) = delete;
    CPlinkpadApp& operator=(const CPlinkpadApp&) = delete;

    // Start-up: the checks below, then the frame and view on `windows`.
    // Returns false when start-up is refused (the reason was shown).
    bool InitInstance(plat::WindowSystem& windows);
    // The checks in their fixed order: the disc, the display's depth, then the
    // settings. Returns false after showing the first failure's message.
    bool CheckStartup(const plat::Display& display);
    // Tries drives c..y (never z) for the "\Directx\Drivers\" folder by making it
    // the current directory; sets m_strCDDrive to the first that has it. The
    // current directory is restored to what it was whatever the outcome.
    bool FindAssetDisc();
    // Reads "Audio" of section "Plinkpads" from the install directory's
    // "Plinkpad.INI" into m_strAudioDir ("\" when missing, cut to 199 characters).
    void ReadSettings();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

    std::string m_strCDDrive;   // drive letter of the assets disc, no colon
    std::string m_strHomeDir;   // the install directory
    std::string m_strAudioDir;  // appended to every scene's disc audio folder
    int m_nAudioBufferFrames = 512;  // frames per audio device buffer (--audio-buffer)
    int m_nAudioRate = 0;            // frames per second of the sound output (--rate); 0: the engine's
    std::optional<uint32_t> m_nRandomSeed;  // seed of the random choices (--seed); none: the time

private:
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

// The running application object; aborts if none exists.
CPlinkpadApp& TheApp();
