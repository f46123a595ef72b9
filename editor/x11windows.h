// The top-level windows of an X11 desktop: their titles (for the
// single-instance rule and the preprocessor stage) and raising one of them.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace vaarikas::sirel {

struct TopWindow {
  std::uint32_t id = 0;
  QString title;
  bool viewable = false;  // mapped and on screen
};

// The top-level windows in stacking order, bottom first; nullopt when the
// application is not on X11 (or was built without X11 support).
std::optional<std::vector<TopWindow>> X11TopWindows();

// Asks the window manager to bring the window to the top and give it focus.
void X11RaiseWindow(std::uint32_t id);

}  // namespace vaarikas::sirel
