// The browser-command parser and the command-line builder against std::string.
#include <strings.h>

#include "common/browser_command.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  size_t lineSize = input.Take<uint16_t>() % 600;
  size_t split = input.Take<uint8_t>();
  std::string text = input.Text();
  std::string value = text.substr(0, split < text.size() ? split : text.size());
  std::string address = text.substr(value.size());

  std::string expected;
  for (char c : value) {
    if (c == '"') continue;
    expected += c;
    if (expected.size() >= 4 && expected.compare(expected.size() - 4, 4, ".exe") == 0) break;
  }
  char* browser = static_cast<char*>(malloc(value.size() + 1));
  ExtractBrowserCommand(value.c_str(), browser, value.size() + 1);
  FUZZ_CHECK(expected == browser);

  char* line = static_cast<char*>(malloc(lineSize > 0 ? lineSize : 1));
  bool built = BuildBrowserCommandLine(browser, address.c_str(), line, lineSize);
  size_t program = expected.size();
  for (size_t i = expected.size(); i >= 4; --i)  // the first .exe that ends a word
    if (strncasecmp(&expected[i - 4], ".exe", 4) == 0 && (i == expected.size() || expected[i] == ' '))
      program = i;
  std::string whole =
      "\"" + expected.substr(0, program) + "\"" + expected.substr(program) + " " + address;
  bool fits = !expected.empty() && whole.size() < lineSize;
  FUZZ_CHECK(built == fits);
  if (built) FUZZ_CHECK(whole == line);
  else if (lineSize > 0) FUZZ_CHECK(line[0] == '\0');
  free(browser);
  free(line);
  return 0;
}
