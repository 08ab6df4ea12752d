// Link shim while the window system is not part of the build: the buttons'
// Press and Release and the screen lookup refer to these. No test calls them;
// extra.cmake drops this file as soon as platform/window/Window.cpp exists.
#include <cstdlib>

#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"

namespace plat {
// Destructors are the key functions: type information for checked builds.
Window::~Window() { std::abort(); }
void Window::Invalidate(const Rect*) { std::abort(); }
void Window::UpdateNow() { std::abort(); }
DeviceContext Window::GetDC() { std::abort(); }
WindowSystem::~WindowSystem() { std::abort(); }
MessageBoxAnswer WindowSystem::MessageBox(const std::string&, MessageBoxButtons) { std::abort(); }
std::optional<std::string> WindowSystem::FileDialog(const FileDialogOptions&) { std::abort(); }
}  // namespace plat
