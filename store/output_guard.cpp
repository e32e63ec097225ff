#include "store/output_guard.h"

#include <string.h>

#include "common/path_size.h"
#include "store/companion_paths.h"
#include "store/compare_no_case.h"

static bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// `name` up to `end`, less trailing dots and blanks, ends in ".tim" or ".des".
static bool HasSheetExtension(const char* name, size_t end) {
  while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) --end;
  if (end < 4 || name[end - 4] != '.') return false;
  char extension[4] = {name[end - 3], name[end - 2], name[end - 1], '\0'};
  return CompareNoCase(extension, "tim") == 0 || CompareNoCase(extension, "des") == 0;
}

bool IsSheetOrDescriptionsName(const char* path) {
  // "C:jobs.tim" names jobs.tim in drive C's current folder.
  if (path[0] != '\0' && path[1] == ':') path += 2;
  const char* name = path;
  for (const char* c = path; *c != '\0'; ++c)
    if (IsSeparator(*c)) name = c + 1;
  // "jobs.tim:notes" is a stream of jobs.tim on Windows, a name of its own
  // elsewhere: either way it is refused.
  const char* colon = strchr(name, ':');
  return HasSheetExtension(name, strlen(name)) ||
         (colon != NULL && HasSheetExtension(name, static_cast<size_t>(colon - name)));
}

bool MayWriteOutput(const char* target, const char* const* sheets, size_t count) {
  if (IsSheetOrDescriptionsName(target)) return false;
  for (size_t i = 0; i < count; ++i) {
    if (SameFile(target, sheets[i])) return false;
    char descriptions[kPathSize];
    if (DeriveCompanionPaths(sheets[i], descriptions, sizeof descriptions, NULL, 0) == kCompanionsDerived &&
        SameFile(target, descriptions))
      return false;
  }
  return true;
}
