#include "tests/support/CommaDecimalLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace QuorvelTest {

CommaDecimalLocale::CommaDecimalLocale() {
  char pattern[] = "/tmp/quorvel-locale-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    failure = "no temporary folder";
    return;
  }
  folder = pattern;
  if (std::system("command -v localedef >/dev/null 2>&1") != 0) {
    failure = "localedef is missing (Debian package locales)";
    return;
  }
  const std::string make = "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
  // localedef warns, and exits 1, over details of the source files that do not matter here.
  const int status = std::system(make.c_str());
  if (status == -1 || !std::filesystem::exists(folder + "/de_DE.UTF-8")) {
    failure = "localedef made no de_DE.UTF-8";
    return;
  }
  setenv("LOCPATH", folder.c_str(), 1);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    failure = "setlocale refused the generated de_DE.UTF-8";
    return;
  }
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 0.5);
  if (std::string(probe) != "0,5") failure = "the generated locale writes no comma";
}

CommaDecimalLocale::~CommaDecimalLocale() {
  std::setlocale(LC_ALL, "C");
  unsetenv("LOCPATH");
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
}

}  // namespace QuorvelTest
