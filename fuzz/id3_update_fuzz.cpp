// Updates on any file: an ID3v2 write keeps every byte after the old tag, reads back
// what it wrote, is stable when repeated, and removal gives the rest back; ID3v1
// fields round-trip. Half the inputs are raw files, half mutate valid seed tags.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tags/tag_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const auto seeds = tagtest::SeedFiles();
  std::string file = (data[0] & 1) ? tagtest::MutateSeed(seeds, data + 1, size - 1)
                                   : std::string(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string problem = tagtest::CheckTagInvariants(file);
  if (!problem.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
