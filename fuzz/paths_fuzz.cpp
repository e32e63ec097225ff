// The companion and program paths against a re-derivation with std::string.
#include "app/program_paths.h"
#include "fuzz/fuzz_input.h"
#include "store/companion_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  size_t desSize = 1 + input.Take<uint16_t>() % 300, txtSize = 1 + input.Take<uint16_t>() % 300;
  std::string path = input.Text();

  char* des = static_cast<char*>(malloc(desSize));
  char* txt = static_cast<char*>(malloc(txtSize));
  memcpy(des, "old", desSize < 4 ? desSize : 4);
  des[desSize - 1] = '\0';
  memcpy(txt, "old", txtSize < 4 ? txtSize : 4);
  txt[txtSize - 1] = '\0';
  std::string oldDes = des, oldTxt = txt;
  CompanionResult result = DeriveCompanionPaths(path.c_str(), des, desSize, txt, txtSize);
  size_t dot = path.rfind('.');
  if (dot == std::string::npos) {
    FUZZ_CHECK(result == kCompanionsUnchanged && des == oldDes && txt == oldTxt);
  } else {
    std::string prefix = path.substr(0, dot + 1);
    if (prefix.size() > 255 || prefix.size() + 3 >= desSize || prefix.size() + 3 >= txtSize) {
      FUZZ_CHECK(result == kCompanionsTooLong && des[0] == '\0' && txt[0] == '\0');
    } else {
      FUZZ_CHECK(result == kCompanionsDerived && des == prefix + "des" && txt == prefix + "txt");
    }
  }
  free(des);
  free(txt);

  size_t dirSize = 1 + size % 300, helpSize = 1 + (size * 7) % 300;
  char* dir = static_cast<char*>(malloc(dirSize));
  char* help = static_cast<char*>(malloc(helpSize));
  DeriveProgramPaths(path.c_str(), dir, dirSize, help, helpSize);
  FUZZ_CHECK(strlen(dir) < dirSize && strlen(help) < helpSize);
  std::string unquoted;
  for (char c : path)
    if (c != '"') unquoted += c;
  size_t slash = unquoted.rfind('\\');
  if (dir[0] != '\0') FUZZ_CHECK(slash != std::string::npos && dir == unquoted.substr(0, slash + 1));
  if (help[0] != '\0') FUZZ_CHECK(std::string(help) == std::string(dir) + "HOURWRIGHT.HLP");
  free(dir);
  free(help);
  return 0;
}
