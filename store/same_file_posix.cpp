// Whether two paths name one file, as a POSIX system resolves them.
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "store/output_guard.h"

// The absolute path with its folder resolved (links and `..`), for a file
// that need not exist; lexically when the folder is not there either.
static std::string ResolvedPath(const char* path) {
  std::string given = path;
  if (given[0] != '/') {
    char here[PATH_MAX];
    if (getcwd(here, sizeof here) != NULL) given = std::string(here) + "/" + given;
  }
  size_t slash = given.find_last_of('/');
  std::string folder = given.substr(0, slash + 1), name = given.substr(slash + 1);
  char real[PATH_MAX];
  if (realpath(folder.c_str(), real) != NULL) return std::string(real) + "/" + name;
  return given;
}

bool SameFile(const char* a, const char* b) {
  if (a[0] == '\0' || b[0] == '\0') return false;
  struct stat first, second;
  if (stat(a, &first) == 0 && stat(b, &second) == 0)
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  return ResolvedPath(a) == ResolvedPath(b);
}
