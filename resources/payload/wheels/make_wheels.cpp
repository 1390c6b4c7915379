// Writes the three stand-in wheel-data files of the sample payload into the folder given
// on the command line. A wheel file is a header and a list of lottery tickets, each ticket
// its numbers in ascending order, one byte per number. The tickets come from a fixed
// generator, so every build writes the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Wheel {
  const char* fileName;
  uint16_t formatVersion;
  uint8_t pool;       // numbers 1..pool
  uint8_t pick;       // numbers per ticket
  uint8_t guarantee;  // "match `guarantee` if `guarantee` of the drawn numbers are in the pool"
  uint32_t tickets;
  uint32_t seed;
};

// Sizes chosen so that the packed records span the range a real payload has.
const Wheel kWheels[] = {
    {"wheel1.wlb", 1, 42, 6, 3, 1500, 0x1A2B3C4D},
    {"wheelv4.wlb", 4, 49, 6, 4, 37000, 0x5E6F7081},
    {"wheelv4a.wlb", 4, 49, 6, 5, 9000, 0x92A3B4C5},
};

class Generator {
 public:
  explicit Generator(uint32_t seed) : state_(seed) {}
  uint32_t Below(uint32_t range) {
    state_ = state_ * 1664525u + 1013904223u;
    return uint32_t((uint64_t(state_) * range) >> 32);
  }

 private:
  uint32_t state_;
};

void Put16(std::string& out, uint32_t v) {
  out += char(v & 0xFF);
  out += char(v >> 8 & 0xFF);
}

std::string WheelBytes(const Wheel& wheel) {
  std::string out = "TKWHEEL\x1A";
  Put16(out, wheel.formatVersion);
  out += char(wheel.pool);
  out += char(wheel.pick);
  out += char(wheel.guarantee);
  out += char(0);
  Put16(out, wheel.tickets & 0xFFFF);
  Put16(out, wheel.tickets >> 16);
  Generator generator(wheel.seed);
  std::vector<uint8_t> numbers;
  for (uint32_t t = 0; t < wheel.tickets; ++t) {
    numbers.clear();
    while (numbers.size() < wheel.pick) {
      const auto n = uint8_t(1 + generator.Below(wheel.pool));
      if (std::find(numbers.begin(), numbers.end(), n) == numbers.end()) numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    out.append(numbers.begin(), numbers.end());
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_wheels OUTDIR\n");
    return 2;
  }
  for (const Wheel& wheel : kWheels) {
    const std::string path = std::string(argv[1]) + "/" + wheel.fileName;
    const std::string bytes = WheelBytes(wheel);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
      std::fprintf(stderr, "make_wheels: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
