#include "tools/quorvel-host/AtomicOutputFile.h"

#include <filesystem>
#include <random>
#include <system_error>

namespace QuorvelHost {

namespace fs = std::filesystem;

AtomicOutputFile::~AtomicOutputFile() {
  if (!committed_ && !temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
  }
}

bool AtomicOutputFile::Begin(const std::string& target, const std::string& input, std::string& error) {
  std::error_code code;
  fs::path targetPath(target);
  if (fs::exists(targetPath, code) && fs::equivalent(targetPath, fs::path(input), code)) {
    error = "output " + target + " is the input file; refusing to overwrite it";
    return false;
  }
  if (fs::is_directory(targetPath, code)) {
    error = "output " + target + " is a folder";
    return false;
  }
  fs::path folder = targetPath.parent_path();
  if (folder.empty()) {
    folder = ".";
  }
  if (!fs::is_directory(folder, code)) {
    error = "output folder " + folder.string() + " does not exist";
    return false;
  }
  // Hidden, and unique enough that two renderings into one folder do not collide.
  std::random_device random;
  temporary_ =
      (folder / ("." + targetPath.filename().string() + ".partial-" + std::to_string(random()))).string();
  target_ = target;
  return true;
}

bool AtomicOutputFile::Commit(std::string& error) {
  std::error_code code;
  fs::rename(temporary_, target_, code);
  if (code) {
    error = "cannot move the finished output into place as " + target_ + ": " + code.message();
    return false;
  }
  committed_ = true;
  return true;
}

}  // namespace QuorvelHost
