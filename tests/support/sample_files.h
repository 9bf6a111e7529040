#pragma once
// The sample HEX files of samples/ for tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace korvane::testing {

// A file of samples/: from KORVANE_SAMPLES, else from the folder fixed at configure time
// (KORVANE_SAMPLES_DIR), so that a test program also runs on its own. A sample that cannot be
// read fails the test at once, rather than leaving it to run on an empty file.
inline std::string SampleFile(const std::string& name) {
  const char* samples = std::getenv("KORVANE_SAMPLES");
#ifdef KORVANE_SAMPLES_DIR
  const std::string folder = samples != nullptr ? samples : KORVANE_SAMPLES_DIR;
#else
  const std::string folder = samples != nullptr ? samples : "samples";
#endif
  const std::string path = folder + "/" + name;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) {
    bytes << in.rdbuf();
  }
  if (!in || bytes.str().empty()) {
    ADD_FAILURE() << "cannot read the sample file " << path;
  }
  return bytes.str();
}

}  // namespace korvane::testing
