#include "platform/win32/backends/wayland/wayland_toplevel.h"

#include <libdecor.h>

#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace win32sw {

namespace {

// xdg-shell's own toplevel, with the compositor's title bar where it offers one.
class XdgToplevel final : public WaylandToplevel {
 public:
  XdgToplevel(WaylandConnection& connection, wl_surface* surface, const ToplevelLook& look,
              ToplevelListener& listener)
      : listener_(listener),
        xdgSurface_(xdg_wm_base_get_xdg_surface(connection.shell, surface)),
        toplevel_(xdg_surface_get_toplevel(xdgSurface_)) {
    static const xdg_surface_listener surfaceListener = {SurfaceConfigure};
    xdg_surface_add_listener(xdgSurface_, &surfaceListener, this);
    // The toplevel is bound at version 1: later versions' events never come.
    static const xdg_toplevel_listener toplevelListener = [] {
      xdg_toplevel_listener events{};
      events.configure = ToplevelConfigure;
      events.close = ToplevelClose;
      return events;
    }();
    xdg_toplevel_add_listener(toplevel_, &toplevelListener, this);
    xdg_toplevel_set_title(toplevel_, look.title.c_str());
    xdg_toplevel_set_app_id(toplevel_, look.appId.c_str());
    if (!look.resizable) {
      xdg_toplevel_set_min_size(toplevel_, look.width, look.height);
      xdg_toplevel_set_max_size(toplevel_, look.width, look.height);
    }
    if (connection.decorations) {
      decoration_ =
          zxdg_decoration_manager_v1_get_toplevel_decoration(connection.decorations, toplevel_);
      zxdg_toplevel_decoration_v1_set_mode(decoration_,
                                           ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
    }
    wl_surface_commit(surface);
  }

  ~XdgToplevel() override {
    if (decoration_) zxdg_toplevel_decoration_v1_destroy(decoration_);
    xdg_toplevel_destroy(toplevel_);
    xdg_surface_destroy(xdgSurface_);
  }

  void FullScreenSet() override { xdg_toplevel_set_fullscreen(toplevel_, nullptr); }

 private:
  static void ToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height,
                                wl_array* states) {
    auto& self = *static_cast<XdgToplevel*>(data);
    self.width_ = width;
    self.height_ = height;
    self.fullScreen_ = false;
    const auto* state = static_cast<const uint32_t*>(states->data);
    for (size_t i = 0; i < states->size / sizeof(uint32_t); ++i) {
      if (state[i] == XDG_TOPLEVEL_STATE_FULLSCREEN) self.fullScreen_ = true;
    }
  }

  // The toplevel's configure comes first; this one closes the sequence.
  static void SurfaceConfigure(void* data, xdg_surface* surface, uint32_t serial) {
    auto& self = *static_cast<XdgToplevel*>(data);
    int width = self.width_, height = self.height_;
    self.listener_.Configure(width, height, self.fullScreen_);
    xdg_surface_ack_configure(surface, serial);
    self.listener_.Configured();
  }

  static void ToplevelClose(void* data, xdg_toplevel*) {
    static_cast<XdgToplevel*>(data)->listener_.CloseRequested();
  }

  ToplevelListener& listener_;
  xdg_surface* xdgSurface_;
  xdg_toplevel* toplevel_;
  zxdg_toplevel_decoration_v1* decoration_ = nullptr;
  int width_ = 0, height_ = 0;
  bool fullScreen_ = false;
};

// libdecor's frame: its own xdg-shell toplevel, and the title bar it draws around the surface.
class LibdecorToplevel final : public WaylandToplevel {
 public:
  LibdecorToplevel(libdecor* decorator, wl_surface* surface, const ToplevelLook& look,
                   ToplevelListener& listener)
      : listener_(listener) {
    static libdecor_frame_interface frameListener = [] {
      libdecor_frame_interface events{};
      events.configure = FrameConfigure;
      events.close = FrameClose;
      events.commit = FrameCommit;
      events.dismiss_popup = FramePopupDismiss;
      return events;
    }();
    frame_ = libdecor_decorate(decorator, surface, &frameListener, this);
    libdecor_frame_set_title(frame_, look.title.c_str());
    libdecor_frame_set_app_id(frame_, look.appId.c_str());
    if (!look.resizable) {
      libdecor_frame_unset_capabilities(frame_, LIBDECOR_ACTION_RESIZE);
      libdecor_frame_set_min_content_size(frame_, look.width, look.height);
      libdecor_frame_set_max_content_size(frame_, look.width, look.height);
    }
    libdecor_frame_map(frame_);
  }

  ~LibdecorToplevel() override { libdecor_frame_unref(frame_); }

  void FullScreenSet() override { libdecor_frame_set_fullscreen(frame_, nullptr); }

 private:
  static void FrameConfigure(libdecor_frame* frame, libdecor_configuration* configuration,
                             void* data) {
    auto& self = *static_cast<LibdecorToplevel*>(data);
    int width = 0, height = 0;
    if (!libdecor_configuration_get_content_size(configuration, frame, &width, &height)) {
      width = height = 0;
    }
    libdecor_window_state state = LIBDECOR_WINDOW_STATE_NONE;
    libdecor_configuration_get_window_state(configuration, &state);
    self.listener_.Configure(width, height, state & LIBDECOR_WINDOW_STATE_FULLSCREEN);
    libdecor_state* taken = libdecor_state_new(width, height);
    libdecor_frame_commit(frame, taken, configuration);
    libdecor_state_free(taken);
    self.listener_.Configured();
  }

  static void FrameClose(libdecor_frame*, void* data) {
    static_cast<LibdecorToplevel*>(data)->listener_.CloseRequested();
  }

  static void FrameCommit(libdecor_frame*, void* data) {
    static_cast<LibdecorToplevel*>(data)->listener_.CommitAsked();
  }

  // The window has no menus of its own for a popup to grab.
  static void FramePopupDismiss(libdecor_frame*, const char*, void*) {}

  ToplevelListener& listener_;
  libdecor_frame* frame_;
};

}  // namespace

std::unique_ptr<WaylandToplevel> WaylandToplevelMake(WaylandConnection& connection,
                                                     wl_surface* surface, const ToplevelLook& look,
                                                     ToplevelListener& listener) {
  if (!connection.decorations) {
    if (libdecor* decorator = connection.Decorator()) {
      return std::make_unique<LibdecorToplevel>(decorator, surface, look, listener);
    }
  }
  return std::make_unique<XdgToplevel>(connection, surface, look, listener);
}

}  // namespace win32sw
