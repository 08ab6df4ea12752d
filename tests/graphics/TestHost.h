#pragma once
// A host for graphics tests: a virtual screen, message boxes that are
// recorded instead of shown, and files from an in-memory map.

#include "platform/Host.h"
#include "platform/gdi/Display.h"
#include "tests/support/HostFakes.h"

namespace testing_graphics {

using testsupport::MemoryFiles;
using testsupport::RecordingDialogs;

// Installs itself as the running host for its lifetime.
struct TestHost {
    TestHost() {
        host.dialogs = &dialogs;
        host.files = &files;
        host.display = &display;
        plat::SetHost(&host);
    }
    ~TestHost() { plat::SetHost(nullptr); }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    plat::Display display{640, 480};
    RecordingDialogs dialogs;
    MemoryFiles files;
    plat::Host host;
};

}  // namespace testing_graphics
