#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "report/totals.h"
#include "report_cli/report_io.h"

// Descriptions are Windows-1252 bytes; this system speaks UTF-8.
std::string SystemErrorText(unsigned long error) {
  switch (error) {
    case ENOENT: return "no such file";
    case EISDIR: return "is a folder";
    case EACCES: return "access denied";
    case EFBIG: return "4 GiB or more";
    default: return strerror(static_cast<int>(error));
  }
}

bool WriteOutputFile(const std::string& path, const std::string& text, std::string* reason) {
  size_t slash = path.find_last_of('/');
  std::string temp = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
                     ".hwr-report-XXXXXX";
  int fd = mkstemp(&temp[0]);
  if (fd < 0) {
    *reason = SystemErrorText(errno);
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (ok && done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false, *reason = SystemErrorText(n < 0 ? errno : ENOSPC);
    else done += static_cast<size_t>(n);
  }
  if (ok && fsync(fd) != 0) ok = false, *reason = SystemErrorText(errno);
  if (ok) fchmod(fd, 0644);
  if (close(fd) != 0 && ok) ok = false, *reason = SystemErrorText(errno);
  if (ok && rename(temp.c_str(), path.c_str()) != 0) ok = false, *reason = SystemErrorText(errno);
  if (!ok) unlink(temp.c_str());
  return ok;
}

int64_t LocalNowSeconds() {
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  TotalsDate date = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  return TotalsDaySeconds(date) + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

std::string ArgumentToAnsi(const std::string& argument) { return Utf8ToWindows1252(argument); }

AnsiToUtf8Function SystemToUtf8() { return Windows1252ToUtf8; }

static bool WriteAll(FILE* stream, const std::string& text, std::string* reason) {
  errno = 0;
  bool written = fwrite(text.data(), 1, text.size(), stream) == text.size();
  written = fflush(stream) == 0 && written;
  if (!written) *reason = SystemErrorText(errno != 0 ? errno : EIO);
  return written;
}

bool WriteStandardOutput(const std::string& text, bool table, std::string* reason) {
  return WriteAll(stdout, table ? Windows1252ToUtf8(text) : text, reason);
}

void WriteStandardError(const std::string& text) {
  std::string ignored;
  WriteAll(stderr, Windows1252ToUtf8(text), &ignored);
}

std::string TableForFile(const std::string& table) { return Windows1252ToUtf8(table); }

// The native build has no options file of the program's.
int ReadOwnOptions(std::string*, std::string*) { return 0; }
