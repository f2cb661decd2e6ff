// Seeded random tags: truncated, oversized and scrambled. The readers must return,
// and every update keep its promises (see tag_invariants.h). Runs under the sanitizer
// build as well; the fuzz targets do the same for longer.
#include <gtest/gtest.h>

#include <random>

#include "tags/tag_invariants.h"

namespace {

using namespace tagtest;

TEST(RobustnessTest, SeedsHoldTheInvariants) {
  for (const std::string& seed : SeedFiles()) EXPECT_EQ(CheckTagInvariants(seed), "");
}

TEST(RobustnessTest, EveryTruncationOfEverySeed) {
  for (const std::string& seed : SeedFiles()) {
    for (std::size_t n = 0; n <= seed.size(); n += (n < 200 ? 1 : 37)) {
      ASSERT_EQ(CheckTagInvariants(seed.substr(0, n)), "") << "seed cut at " << n;
    }
  }
}

TEST(RobustnessTest, RandomMutationsOfSeeds) {
  std::mt19937 random(20240611);
  auto seeds = SeedFiles();
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> input(3 + 3 * (random() % 12));
    for (auto& b : input) b = static_cast<std::uint8_t>(random());
    std::string file = MutateSeed(seeds, input.data(), input.size());
    ASSERT_EQ(CheckTagInvariants(file), "") << "round " << round;
  }
}

TEST(RobustnessTest, RandomBytesBehindAHeader) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string body(random() % 600, '\0');
    for (auto& c : body) c = static_cast<char>(random() % 4 == 0 ? 0 : random());
    int version = 2 + static_cast<int>(random() % 3);
    int flags = static_cast<int>(random() & 0xF0);
    std::string file = Tag(version, body, random() % 50, flags);
    if (random() % 2) file.resize(file.size() * (random() % 100) / 100);
    file += Audio(random() % 300, round);
    ASSERT_EQ(CheckTagInvariants(file), "") << "round " << round;
  }
}

TEST(RobustnessTest, OversizedSizesDoNotAllocateWhatTheFileLacks) {
  // Sizes that claim far more than the file holds: every size field at its largest.
  std::string frame = "TIT2" + Bytes({0x7F, 0xFF, 0xFF, 0xFF}) + Bytes({0, 0}) + "x";
  for (int version : {2, 3, 4}) {
    std::string file = "ID3" + Bytes({version, 0, 0x40, 0x7F, 0x7F, 0x7F, 0x7F}) +
                       Bytes({0x7F, 0xFF, 0xFF, 0xFF}) + frame;
    EXPECT_EQ(CheckTagInvariants(file), "");
    file = "ID3" + Bytes({version, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F}) + frame;
    EXPECT_EQ(CheckTagInvariants(file), "");
  }
}

}  // namespace
