// The view's session commands: new, open, save and quit.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "app/PlinkpadView.h"
#include "audio/SoundEngine.h"
#include "platform/Host.h"
#include "platform/fs/TempFile.h"
#include "platform/window/EditControl.h"
#include "platform/window/WindowSystem.h"
#include "recording/Session.h"
#include "scenes/Scene.h"

namespace {

constexpr int kCancelSound = 10;
constexpr int kSaveSound = 40;
constexpr int kWarningSound = 50;

constexpr char kNewSessionName[] = "New Session";
constexpr char kSaveNowQuestion[] = "Unsaved information in session. Save now?";

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The file name of a host path (after the last separator).
std::string FileName(const std::string& hostPath) {
    size_t slash = hostPath.find_last_of("\\/");
    return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

// Why the Open command takes no file of this name, or nullptr when it may
// try: the name must end in ".sts" in any case, and have something before it.
const char* OpenRefusal(const std::string& hostPath) {
    const std::string name = FileName(hostPath);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || Lower(name.substr(dot + 1)) != "sts")
        return "Not Plinkpads session. File must have .sts extention. Try Again.";
    if (dot == 0) return "Not Valid filename. Try again.";
    return nullptr;
}

plat::FileDialogOptions SessionDialog(bool save, std::string initialName) {
    plat::FileDialogOptions o;
    o.save = save;
    o.title = save ? "Save Session" : "Open Session";
    o.filterLabel = "Plinkpads Session: (*.sts)";
    o.filterPattern = "*.sts";
    o.defaultExtension = "sts";
    o.initialName = std::move(initialName);
    return o;
}

void PlayGeneral(CSoundEngine* engine, int id) {
    if (engine != nullptr) engine->PlayGeneralSound(id);
}

// Writes all of `bytes` to `fd`; false on any error.
bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file a save replaces: the final target of a symlink (followed as the
// host follows links, at most 40 of them), so that the link itself stays.
std::filesystem::path FinalTarget(std::filesystem::path path) {
    namespace fs = std::filesystem;
    for (int links = 0; links < 40; ++links) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) break;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

}  // namespace

std::string CPlinkpadView::FileTitle(const std::string& hostPath) {
    std::string name = FileName(hostPath);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool CPlinkpadView::StoreSession(const std::string& hostPath) {
    namespace fs = std::filesystem;
    std::optional<fs::path> resolved = plat::GetHost().files->ResolveForWrite(hostPath);
    if (!resolved) return false;
    const fs::path target = FinalTarget(*resolved);
    const std::vector<uint8_t> bytes = m_pSession->Encode();

    // A new file beside the old one, renamed over it only once it is whole:
    // a failed save never destroys the session saved before. It takes the
    // old file's permissions.
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    fs::path temp;
    const int fd = plat::CreateTempBeside(target, temp);
    if (fd < 0) return false;
    bool ok = (!replacing || ::fchmod(fd, existing.st_mode & 07777) == 0) && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    std::error_code ec;
    if (ok) {
        fs::rename(temp, target, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(temp, ec);
        return false;
    }
    // Only a file that is whole and in place counts the session as saved.
    m_pSession->MarkSaved();
    plat::TraceLine("session save %s", resolved->c_str());
    return true;
}

void CPlinkpadView::ReplaceSession(std::unique_ptr<CSession> session) {
    // A recording ends keeping its cut, a playback stops: neither may go on
    // into a session that is being thrown away.
    m_pSession->StopAll();
    session->TakeLinksFrom(*m_pSession);
    ScenePalette* palette = m_pScene ? m_pScene->Palette() : nullptr;
    session->Attach(palette != nullptr ? m_pScene.get() : nullptr, palette);
    m_pSession = std::move(session);
}

bool CPlinkpadView::OfferSave() {
    plat::Dialogs& dialogs = *plat::GetHost().dialogs;
    // A running recording ends first, keeping its cut, so that a save holds it.
    m_pSession->StopAll();
    if (!m_pSession->IsModified()) return true;
    switch (dialogs.MessageBox(kSaveNowQuestion, plat::MessageBoxButtons::YesNoCancel)) {
        case plat::MessageBoxAnswer::Yes:
            SaveSession();  // whatever comes of it, the command goes on
            return true;
        case plat::MessageBoxAnswer::Cancel:
            return false;
        default:
            return true;
    }
}

int CPlinkpadView::NewSession() {
    if (!OfferSave()) return 0;
    ScenePalette* palette = m_pScene ? m_pScene->Palette() : nullptr;
    if (palette != nullptr) palette->ReselectCut();
    ReplaceSession(std::make_unique<CSession>(nullptr, nullptr, nullptr, nullptr));
    m_editSession->SetText(kNewSessionName);
    return 1;
}

int CPlinkpadView::OpenSession() {
    plat::Host& host = plat::GetHost();
    // The session in use is replaced: unsaved work is offered a save first.
    if (!OfferSave()) return 0;
    for (;;) {
        std::optional<std::string> path = host.dialogs->FileDialog(SessionDialog(false, "*.sts"));
        if (!path) {
            PlayGeneral(m_pEngine.get(), kCancelSound);
            return 0;
        }
        if (const char* refusal = OpenRefusal(*path)) {
            host.dialogs->MessageBox(refusal);
            continue;
        }
        return LoadSessionAt(*path);
    }
}

int CPlinkpadView::OpenSessionFile(const std::string& hostPath) {
    if (!OfferSave()) return 0;
    if (const char* refusal = OpenRefusal(hostPath)) {
        plat::GetHost().dialogs->MessageBox(refusal);
        return 0;
    }
    return LoadSessionAt(hostPath);
}

int CPlinkpadView::LoadSessionAt(const std::string& hostPath) {
    plat::Host& host = plat::GetHost();
    PlayGeneral(m_pEngine.get(), kSaveSound);
    std::optional<std::vector<uint8_t>> bytes = host.files->ReadFile(hostPath);
    std::string error;
    std::unique_ptr<CSession> loaded = bytes ? CSession::Load(*bytes, error) : nullptr;
    if (!loaded) {
        // The session in use stays as it is.
        host.dialogs->MessageBox("Unable to load session!");
        return 0;
    }
    AdoptSession(std::move(loaded), FileTitle(hostPath));
    return 1;
}

void CPlinkpadView::AdoptSession(std::unique_ptr<CSession> loaded, const std::string& title) {
    // A name typed for the selected cut belongs to the session being
    // replaced, not to the cut of the same track in the loaded one.
    if (ScenePalette* palette = m_pScene ? m_pScene->Palette() : nullptr) palette->ReselectCut();
    ReplaceSession(std::move(loaded));
    m_editSession->SetText(title);
    plat::TraceLine("session open %s", title.c_str());
}

int CPlinkpadView::SaveSession() {
    plat::Host& host = plat::GetHost();
    for (;;) {
        const std::string shown = m_editSession->GetText();
        std::optional<std::string> path =
            host.dialogs->FileDialog(SessionDialog(true, shown.empty() ? "*.sts" : shown + ".sts"));
        if (!path) {
            PlayGeneral(m_pEngine.get(), kCancelSound);
            return 0;
        }
        if (path->size() < 3 || Lower(path->substr(path->size() - 3)) != "sts") {
            host.dialogs->MessageBox("File must have .sts extention. Try Again.");
            continue;
        }
        PlayGeneral(m_pEngine.get(), kSaveSound);
        if (!StoreSession(*path)) {
            host.dialogs->MessageBox("Unable to save session!");
            return 0;
        }
        m_editSession->SetText(FileTitle(*path));
        return 1;
    }
}

int CPlinkpadView::QuitProgram() {
    m_pSession->StopAll();  // a running recording is saved with its cut
    if (m_pSession->IsModified()) {
        PlayGeneral(m_pEngine.get(), kWarningSound);
        switch (plat::GetHost().dialogs->MessageBox(kSaveNowQuestion, plat::MessageBoxButtons::YesNoCancel)) {
            case plat::MessageBoxAnswer::Yes:
                SaveSession();
                break;
            case plat::MessageBoxAnswer::Cancel:
                PlayGeneral(m_pEngine.get(), kCancelSound);
                return 0;
            default:
                break;
        }
    }
    // Ending the loop closes the frame and everything in it.
    System().PostQuit(0);
    return 1;
}
