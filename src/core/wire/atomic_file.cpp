#include "wire/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <vector>

namespace varnel {

namespace fs = std::filesystem;

namespace {

// "<file>.tmp.<pid>." starts every temporary file of one process.
std::string TempPrefix(const fs::path& target, long pid) {
  return target.filename().string() + ".tmp." + std::to_string(pid) + ".";
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void SyncFolder(const fs::path& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

fs::path FolderOf(const fs::path& target) {
  return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view text) {
  const fs::path target(path);
  std::string temp = (FolderOf(target) / (TempPrefix(target, getpid()) + "XXXXXX")).string();
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) return false;
  temp = name.data();

  struct stat old {};
  const mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
  const bool written = WriteAll(fd, text) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (!written || !closed || rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  SyncFolder(FolderOf(target));
  return true;
}

void RemoveStaleSaveFiles(const std::string& path) {
  const fs::path target(path);
  const std::string stem = target.filename().string() + ".tmp.";
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(FolderOf(target), ec)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(stem)) continue;
    long pid = 0;
    const char* first = name.data() + stem.size();
    const auto [end, err] = std::from_chars(first, name.data() + name.size(), pid);
    if (err != std::errc() || end == first || *end != '.') continue;
    struct stat st {};
    if (lstat(entry.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid()) continue;
    // Our own number: no save of ours runs while this is called.
    const bool running = pid != getpid() && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
    if (!running) unlink(entry.path().c_str());
  }
}

}  // namespace varnel
