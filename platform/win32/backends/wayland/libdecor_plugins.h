// Whether libdecor, which draws a window's title bar where the Wayland compositor leaves it to
// the program, has a plugin to draw it with. Without one libdecor says so in two
// lines of its own, and the window has no title bar.
#ifndef VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_LIBDECOR_PLUGINS_H
#define VELKOR_PLATFORM_WIN32_BACKENDS_WAYLAND_LIBDECOR_PLUGINS_H

namespace win32sw {

// True when libdecor is there with at least one plugin, in the folder it looks in:
// LIBDECOR_PLUGIN_DIR, or libdecor/plugins-1 beside the library itself.
bool LibdecorPluginFound();

}  // namespace win32sw

#endif
