// LocalAlloc and LocalFree for fixed blocks: the handle is the pointer, as on Windows.
#include <windows.h>

#include <cstdlib>

extern "C" HLOCAL WINAPI LocalAlloc(UINT flags, size_t bytes) {
  // Moveable blocks need LocalLock to be used at all; nothing here asks for them.
  if (flags & ~static_cast<UINT>(LMEM_ZEROINIT)) return nullptr;
  // A zero-byte block is still a block, distinct from every other.
  const size_t size = bytes ? bytes : 1;
  return flags & LMEM_ZEROINIT ? std::calloc(1, size) : std::malloc(size);
}

extern "C" HLOCAL WINAPI LocalFree(HLOCAL block) {
  std::free(block);
  return nullptr;
}
