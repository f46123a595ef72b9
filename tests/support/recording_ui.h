// A user interface for tests: records the messages and the error files shown
// and counts the wait cursor, instead of showing anything.
#pragma once

#include <string>
#include <vector>

#include "common/ui.h"

namespace vaarikas::test {

class RecordingUI : public IUserInterface {
 public:
  void MessageBox(const std::string& text) override { messages.push_back(text); }
  void ShowErrorFile(const std::string& path) override { shown.push_back(path); }
  void BeginWaitCursor() override { ++waits; }
  void EndWaitCursor() override { --waits; }
  void SetStatusText(const std::string&) override {}
  std::vector<std::string> messages, shown;
  int waits = 0;
};

}  // namespace vaarikas::test
