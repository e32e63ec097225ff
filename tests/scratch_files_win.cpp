#include "tests/scratch_files.h"

#include "tests/test_files.h"

const char ScratchFolder::kSeparator = '\\';

ScratchFolder::ScratchFolder() {
  std::shared_ptr<TempFolder> folder = std::make_shared<TempFolder>();
  path_ = folder->Path();
  owner_ = folder;
}

ScratchFolder::~ScratchFolder() {}

void PutBytes(const std::string& path, const std::string& bytes) { WriteBytes(path, bytes); }

std::string TakeBytes(const std::string& path) { return ReadBytes(path); }

bool MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), NULL) != 0; }

bool MakeHardLink(const std::string& existing, const std::string& link) {
  return CreateHardLinkA(link.c_str(), existing.c_str(), NULL) != 0;
}

std::string ShortPathOf(const std::string& path) {
  char shortPath[MAX_PATH];
  DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
  return length != 0 && length < sizeof shortPath ? shortPath : "";
}

HeldWithoutSharing::HeldWithoutSharing(const std::string& path) : held_(std::make_shared<HeldFile>(path)) {}

HeldWithoutSharing::~HeldWithoutSharing() {}

bool HeldWithoutSharing::Held() const { return static_cast<HeldFile*>(held_.get())->Held(); }
