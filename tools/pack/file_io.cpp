#include "file_io.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/exceptions.h"

namespace tarnwick::pack {
namespace {

[[noreturn]] void Fail(const Bytes& path, const char* what) {
  throw Exception(path + ": " + what + ": " + std::strerror(errno));
}

// Closes the descriptor on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

void WriteAll(const Bytes& path, int fd, const Bytes& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path, "cannot write");
    }
    done += size_t(n);
  }
}

void Close(const Bytes& path, FileDescriptor& file) {
  if (::close(file.Release()) != 0) Fail(path, "cannot write");
}

}  // namespace

Bytes ReadWholeFile(const Bytes& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) Fail(path, "cannot open");
  Bytes bytes;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path, "cannot read");
    }
    if (n == 0) return bytes;
    bytes.append(buffer, size_t(n));
  }
}

void WriteWholeFile(const Bytes& path, const Bytes& bytes) {
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (file.get() < 0) Fail(path, "cannot create");
  WriteAll(path, file.get(), bytes);
  Close(path, file);
}

void EnsureFolder(const Bytes& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return;
  if (::mkdir(path.c_str(), 0755) != 0) Fail(path, "cannot create folder");
}

void WriteFileInFolder(const Bytes& folder, const Bytes& name, const Bytes& bytes, std::time_t when) {
  const Bytes path = folder + "/" + name;
  FileDescriptor file(
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (file.get() < 0) Fail(path, "cannot create");
  WriteAll(path, file.get(), bytes);
  const struct timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};
  if (::futimens(file.get(), times) != 0) Fail(path, "cannot set the date");
  Close(path, file);
}

}  // namespace tarnwick::pack
