#include "store/local_clock.h"

#include <windows.h>

#include "store/file_seconds.h"

int64_t LocalNowSeconds() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  int64_t seconds = 0;
  ToFileSeconds(now, &seconds);
  return seconds;
}
