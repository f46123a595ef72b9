#include "editor/x11windows.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

#ifdef SIREL_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace vaarikas::sirel {

#ifdef SIREL_HAVE_XCB
namespace {

// One connection of our own, opened on first use and kept for the process.
xcb_connection_t* Connection() {
  static xcb_connection_t* conn = [] () -> xcb_connection_t* {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (!c || xcb_connection_has_error(c)) {
      if (c) xcb_disconnect(c);
      return nullptr;
    }
    return c;
  }();
  return conn;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(r);
  return a;
}

xcb_window_t Root(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

std::vector<xcb_window_t> WindowList(xcb_connection_t* c, xcb_atom_t prop) {
  std::vector<xcb_window_t> out;
  if (prop == XCB_ATOM_NONE) return out;
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, Root(c), prop, XCB_ATOM_WINDOW, 0, 1u << 16), nullptr);
  if (r && r->format == 32) {
    auto* w = static_cast<xcb_window_t*>(xcb_get_property_value(r));
    out.assign(w, w + xcb_get_property_value_length(r) / 4);
  }
  std::free(r);
  return out;
}

QString Title(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netName, xcb_atom_t utf8) {
  auto get = [&](xcb_atom_t prop, xcb_atom_t type) -> std::optional<QByteArray> {
    if (prop == XCB_ATOM_NONE) return std::nullopt;
    xcb_get_property_reply_t* r = xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, type, 0, 4096), nullptr);
    std::optional<QByteArray> v;
    if (r && r->type != XCB_ATOM_NONE && r->format == 8)
      v = QByteArray(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
    std::free(r);
    return v;
  };
  if (auto v = get(netName, utf8)) return QString::fromUtf8(*v);
  if (auto v = get(XCB_ATOM_WM_NAME, XCB_ATOM_STRING)) return QString::fromLatin1(*v);
  return QString();
}

}  // namespace

std::optional<std::vector<TopWindow>> X11TopWindows() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
  xcb_connection_t* c = Connection();
  if (!c) return std::nullopt;
  // With a window manager its client list names the top-level windows; a bare
  // X server has the root's children instead.
  std::vector<xcb_window_t> ids = WindowList(c, Atom(c, "_NET_CLIENT_LIST_STACKING"));
  if (ids.empty()) ids = WindowList(c, Atom(c, "_NET_CLIENT_LIST"));
  if (ids.empty()) {
    xcb_query_tree_reply_t* t = xcb_query_tree_reply(c, xcb_query_tree(c, Root(c)), nullptr);
    if (t) {
      xcb_window_t* ch = xcb_query_tree_children(t);
      ids.assign(ch, ch + xcb_query_tree_children_length(t));
    }
    std::free(t);
  }
  const xcb_atom_t netName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  std::vector<TopWindow> out;
  out.reserve(ids.size());
  for (xcb_window_t w : ids) {
    xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    const bool viewable = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(a);
    out.push_back(TopWindow{w, Title(c, w, netName, utf8), viewable});
  }
  return out;
}

void X11RaiseWindow(std::uint32_t id) {
  xcb_connection_t* c = Connection();
  if (!c || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  xcb_map_window(c, id);
  const uint32_t above = XCB_STACK_MODE_ABOVE;
  xcb_configure_window(c, id, XCB_CONFIG_WINDOW_STACK_MODE, &above);
  xcb_atom_t active = Atom(c, "_NET_ACTIVE_WINDOW");
  if (active != XCB_ATOM_NONE) {
    xcb_client_message_event_t ev;
    std::memset(&ev, 0, sizeof ev);
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = id;
    ev.type = active;
    ev.data.data32[0] = 1;  // request from an application
    xcb_send_event(c, 0, Root(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
  }
  xcb_flush(c);
}

#else

std::optional<std::vector<TopWindow>> X11TopWindows() { return std::nullopt; }
void X11RaiseWindow(std::uint32_t) {}

#endif

}  // namespace vaarikas::sirel
