// A small platform layer: file tests, directories, wildcard listing,
// processes and shared libraries. POSIX implementation in platform_posix.cpp;
// everything else in the tree goes through these calls.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vaarikas::plat {

// The directory separator used when paths are built.
inline constexpr char kSep = '/';

bool FileExists(const std::string& path);
bool FileReadable(const std::string& path);
// Length in bytes, or nullopt when the file cannot be opened.
std::optional<long long> FileLength(const std::string& path);

std::string CurrentDir();
bool SetCurrentDir(const std::string& dir);

// Directory entries of dir whose names match the shell pattern (e.g. "*.rle"),
// in the order the file system returns them.
std::vector<std::string> ListMatching(const std::string& dir, const std::string& pattern);

// Full path of the running executable, and its directory (the path cut before
// its last separator).
std::string ExecutablePath();
std::string ExecutableDir();

// Splits a search-path list (PATH style, ":" separated) and skips empty entries.
std::vector<std::string> SplitSearchPath(const std::string& list);

// ---- Processes ----
struct ProcessOptions {
  std::string working_dir;  // empty: the current directory
  bool hidden = true;       // no window of its own (always so on POSIX)
};

class Process {
 public:
  enum class Wait { kExited, kTimeout, kFailed };
  virtual ~Process() = default;
  // Waits up to the given time for the process to end.
  virtual Wait WaitFor(std::chrono::milliseconds ms) = 0;
  virtual void Terminate(int exit_code) = 0;
  // Exit status after kExited (-1 when killed by a signal).
  virtual int ExitStatus() const = 0;
};

// Starts argv[0] with the given arguments; standard handles are inherited.
// Returns null when the process cannot be started (errno-style reason in *why).
std::unique_ptr<Process> StartProcess(const std::vector<std::string>& argv, const ProcessOptions& opts,
                                      std::string* why = nullptr);

// Titles of the top-level windows of the desktop, or an empty list where no
// window system can be asked. The editor installs a provider for its toolkit.
std::vector<std::string> TopLevelWindowTitles();
void SetWindowTitleProvider(std::function<std::vector<std::string>()> provider);

// ---- Shared libraries ----
class Library {
 public:
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  // Loads the library at path; null on failure with the loader's reason in *why.
  static std::unique_ptr<Library> Open(const std::string& path, std::string* why = nullptr);
  void* Symbol(const char* name) const;

 private:
  explicit Library(void* handle) : handle_(handle) {}
  void* handle_;
};

// File name of the analyser library and of the preprocessor on this platform.
#if defined(_WIN32)
inline constexpr const char* kAnalyserLibName = "vormik.dll";
inline constexpr const char* kPreprocessorName = "Tera.exe";
#else
inline constexpr const char* kAnalyserLibName = "libvormik.so";
inline constexpr const char* kPreprocessorName = "tera";
#endif

}  // namespace vaarikas::plat
