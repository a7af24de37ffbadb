#pragma once

#include <string>

namespace QuorvelTest {

// The process switched to German (comma decimal point) as Qt and GTK hosts switch it,
// with setlocale(LC_ALL, ...), for as long as this lives; then back to "C". The locale
// is generated into a temporary folder, so the machine needs none installed, only
// localedef. Test thread only, before any other thread runs.
class CommaDecimalLocale final {
 public:
  CommaDecimalLocale();
  ~CommaDecimalLocale();
  CommaDecimalLocale(const CommaDecimalLocale&) = delete;
  CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

  // Empty when the process now reads and writes numbers with a comma, else why not.
  const std::string& Failure() const { return failure; }

 private:
  std::string folder;
  std::string failure;
};

}  // namespace QuorvelTest
