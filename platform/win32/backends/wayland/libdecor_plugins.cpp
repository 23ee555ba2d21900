#include "platform/win32/backends/wayland/libdecor_plugins.h"

#include <dirent.h>
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace win32sw {

namespace {

// The folder libdecor loads its plugins from, empty where libdecor itself is missing.
std::string PluginFolder() {
  const char* named = std::getenv("LIBDECOR_PLUGIN_DIR");
  if (named && *named) return named;
  void* library = dlopen("libdecor-0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  if (!library) library = dlopen("libdecor-0.so.0", RTLD_LAZY);
  if (!library) return {};
  std::string folder;
  Dl_info where;
  void* entry = dlsym(library, "libdecor_new");
  if (entry && dladdr(entry, &where) && where.dli_fname) {
    folder = where.dli_fname;
    folder = folder.substr(0, folder.rfind('/') + 1) + "libdecor/plugins-1";
  }
  dlclose(library);
  return folder;
}

bool SharedObjectIn(const std::string& folder) {
  DIR* listing = opendir(folder.c_str());
  if (!listing) return false;
  bool found = false;
  while (const dirent* entry = readdir(listing)) {
    const size_t length = std::strlen(entry->d_name);
    if (length > 3 && std::strcmp(entry->d_name + length - 3, ".so") == 0) found = true;
  }
  closedir(listing);
  return found;
}

}  // namespace

bool LibdecorPluginFound() {
  const std::string folder = PluginFolder();
  return !folder.empty() && SharedObjectIn(folder);
}

}  // namespace win32sw
