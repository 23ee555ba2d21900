// CreateFileA, ReadFile and CloseHandle for reading existing files, over POSIX descriptors.
#include <windows.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

namespace {

struct OpenFile {
  int descriptor;
};

// Handles are looked up here before use, so a closed or foreign handle is refused.
std::vector<std::unique_ptr<OpenFile>> OpenFiles;

std::vector<std::unique_ptr<OpenFile>>::iterator OpenFileFind(HANDLE handle) {
  return std::find_if(OpenFiles.begin(), OpenFiles.end(),
                      [handle](const auto& file) { return file.get() == handle; });
}

}  // namespace

extern "C" HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD /*share: POSIX has none*/,
                                     LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD flags,
                                     HANDLE /*template*/) {
  // Reading an existing file is all this stand-in does; a request that could create or change
  // a file is refused rather than half done.
  if (!name || !(access & GENERIC_READ) || (access & GENERIC_WRITE) ||
      disposition != OPEN_EXISTING) {
    return INVALID_HANDLE_VALUE;
  }
  // O_NONBLOCK keeps a FIFO from hanging the open; it changes nothing for a regular file.
  const int descriptor = open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return INVALID_HANDLE_VALUE;
  struct stat status;
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(descriptor);
    return INVALID_HANDLE_VALUE;
  }
  if (flags & FILE_FLAG_SEQUENTIAL_SCAN) posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
  OpenFiles.push_back(std::make_unique<OpenFile>(OpenFile{descriptor}));
  return OpenFiles.back().get();
}

extern "C" BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD count, LPDWORD countRead,
                                LPOVERLAPPED overlapped) {
  if (countRead) *countRead = 0;
  const auto file = OpenFileFind(handle);
  // Overlapped reads need a file opened for them, which CreateFileA here never does.
  if (file == OpenFiles.end() || !countRead || overlapped || (!buffer && count)) return FALSE;
  auto* bytes = static_cast<unsigned char*>(buffer);
  DWORD total = 0;
  while (total < count) {
    const ssize_t got = read((*file)->descriptor, bytes + total, count - total);
    if (got > 0) {
      total += static_cast<DWORD>(got);
    } else if (got == 0) {
      break;  // the end of the file
    } else if (errno != EINTR) {
      *countRead = total;
      return FALSE;
    }
  }
  *countRead = total;
  return TRUE;
}

extern "C" BOOL WINAPI CloseHandle(HANDLE handle) {
  const auto file = OpenFileFind(handle);
  if (file == OpenFiles.end()) return FALSE;
  close((*file)->descriptor);
  OpenFiles.erase(file);
  return TRUE;
}
