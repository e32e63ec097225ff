#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/scratch_files.h"

const char ScratchFolder::kSeparator = '/';

ScratchFolder::ScratchFolder() {
  char name[] = "/tmp/hwscratch-XXXXXX";
  path_ = mkdtemp(name) != nullptr ? name : "/tmp/hwscratch-none";
}

ScratchFolder::~ScratchFolder() {
  int removed = system(("rm -rf '" + path_ + "'").c_str());
  (void)removed;
}

void PutBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string TakeBytes(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0700) == 0; }

bool MakeHardLink(const std::string& existing, const std::string& link) {
  return ::link(existing.c_str(), link.c_str()) == 0;
}

std::string ShortPathOf(const std::string&) { return ""; }

HeldWithoutSharing::HeldWithoutSharing(const std::string&) {}

HeldWithoutSharing::~HeldWithoutSharing() {}

bool HeldWithoutSharing::Held() const { return false; }
