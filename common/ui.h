// The few things the pipeline needs from a user interface. The editor
// implements them with Qt; the console front end writes to the terminal.
#pragma once

#include <string>

namespace vaarikas {

class IUserInterface {
 public:
  virtual ~IUserInterface() = default;
  // A message box with an OK button and the application's title as caption.
  // The text is in Windows-1257 bytes, like every text of the pipeline.
  virtual void MessageBox(const std::string& text) = 0;
  // The error viewer: shows the file's text (up to its first zero byte).
  virtual void ShowErrorFile(const std::string& path) = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  virtual void SetStatusText(const std::string& text) = 0;
};

// Thrown where a working file that must be opened for a size check cannot be
// opened: it ends the whole Analyse command. The user is shown
// "<name> was not found." (FileErrorMessage).
class FileError {
 public:
  explicit FileError(std::string file) : file_(std::move(file)) {}
  const std::string& file() const { return file_; }
  std::string Message() const { return file_ + " was not found."; }

 private:
  std::string file_;
};

// Console implementation: messages and the error file go to standard error,
// converted from Windows-1257 to UTF-8; the wait cursor and status text are
// silent unless verbose.
class ConsoleUserInterface : public IUserInterface {
 public:
  explicit ConsoleUserInterface(bool verbose = false) : verbose_(verbose) {}
  void MessageBox(const std::string& text) override;
  void ShowErrorFile(const std::string& path) override;
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void SetStatusText(const std::string& text) override;

 private:
  bool verbose_;
};

}  // namespace vaarikas
