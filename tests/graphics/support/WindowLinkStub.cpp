// Link shim while the window system is not part of the build: the buttons'
// Press and Release call these. No test calls them; extra.cmake drops this
// file as soon as platform/window/Window.cpp exists.
#include <cstdlib>

#include "platform/window/Window.h"

namespace plat {
void Window::Invalidate(const Rect*) { std::abort(); }
void Window::UpdateNow() { std::abort(); }
DeviceContext Window::GetDC() { std::abort(); }
}  // namespace plat
