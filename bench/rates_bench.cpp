// Rates read from the options file, as the Totals window reads them when it
// opens and after the Rates dialog: 10,000 projects, the target 50 ms.
#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "store/rates_file.h"

namespace {
const int kRuns = 21;
const int kProjects = 10000;

void RunRates(const char* folder) {
  char old[MAX_PATH] = "";
  bool had = GetEnvironmentVariableA("APPDATA", old, sizeof old) > 0;
  SetEnvironmentVariableA("APPDATA", folder);
  std::string options = std::string(folder) + "\\Hourwright";
  CreateDirectoryA(options.c_str(), NULL);
  std::string path = options + "\\hourwright.ini";
  std::string text = "[away]\r\nminutes=15\r\n[rates]\r\n*currency*=EUR\r\n*default*=60\r\n";
  char line[96];
  for (int i = 0; i < kProjects; ++i) {
    snprintf(line, sizeof line, "Client %05d, consulting and support=%d.%02d\r\n", i, 40 + i % 160, i % 100);
    text += line;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD written = 0;
  bool ok = file != INVALID_HANDLE_VALUE &&
            WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL) &&
            written == text.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  std::vector<double> samples;
  for (int run = 0; ok && run < kRuns; ++run) {
    double started = NowMicroseconds();
    ProjectRates rates = LoadRates(nullptr);
    samples.push_back(NowMicroseconds() - started);
    ok = rates.projects.size() == static_cast<size_t>(kProjects) && rates.hasDefault;
  }
  if (!ok) ReportFailure("the rates of 10,000 projects were not all read");
  ReportMeasurement("rates-load", kProjects, samples);
  DeleteFileA(path.c_str());
  RemoveDirectoryA(options.c_str());
  SetEnvironmentVariableA("APPDATA", had ? old : NULL);
}

BenchGroup ratesGroup("rates", RunRates);
}  // namespace
