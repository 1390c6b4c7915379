// Loading one large payload item (LoadPayloadItem: copy, decipher, inflate, hand over the
// content) against bare zlib inflate of the same stream into a buffer of the right size.
// The reader should stay within 10 % of the bare inflate.
//
//   build/native/bench/payload_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <zlib.h>

#include "fake/fake_platform.h"
#include "payload/cipher.h"
#include "payload/load_payload_item.h"
#include "payload/payload_key.h"
#include "payload/record_format.h"
#include "payload/record_writer.h"

namespace {

using tarnwick::Bytes;

constexpr size_t kItemBytes = size_t(64) << 20;

// Text-like content that deflates to about a third: words from a small vocabulary with
// numbers in between, like the lists and help texts of the real payload.
Bytes SyntheticItem() {
  static const char* const kWords[] = {"wheel ", "ticket ", "guarantee ", "draw ", "number ",
                                       "pool ", "prize ", "division ", "Tarnwick ", "print ",
                                       "check ", "sort ", "\r\n", "version ", "game ", "line "};
  Bytes out;
  out.reserve(kItemBytes);
  uint32_t state = 2004;
  while (out.size() < kItemBytes) {
    state = state * 1664525u + 1013904223u;
    out += kWords[state >> 28];
    if ((state & 0x300) == 0) out += std::to_string(state % 50 + 1) + ' ';
  }
  out.resize(kItemBytes);
  return out;
}

struct Fixture {
  Bytes content = SyntheticItem();
  Bytes record = tarnwick::PackRecord(content, "big.dat", 0x31613A2C, 6);
  Bytes stream;  // the record's zlib stream, deciphered
  Fixture() {
    Bytes key;
    tarnwick::BuildPayloadKey(key);
    Bytes plain = record;
    tarnwick::SubtractKey(key, reinterpret_cast<unsigned char*>(plain.data()), static_cast<int32_t>(plain.size()));
    stream = plain.substr(tarnwick::kRecordHeaderSize);
  }
};

const Fixture& Data() {
  static const Fixture fixture;
  return fixture;
}

void BM_BareInflate(benchmark::State& state) {
  const Fixture& data = Data();
  for (auto _ : state) {
    auto* out = static_cast<unsigned char*>(std::malloc(data.content.size()));
    z_stream stream{};
    inflateInit(&stream);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.stream.data()));
    stream.avail_in = static_cast<uInt>(data.stream.size());
    stream.next_out = out;
    stream.avail_out = static_cast<uInt>(data.content.size());
    if (inflate(&stream, Z_FINISH) != Z_STREAM_END) state.SkipWithError("inflate failed");
    inflateEnd(&stream);
    benchmark::DoNotOptimize(out);
    std::free(out);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.content.size()));
}

void BM_LoadPayloadItem(benchmark::State& state) {
  const Fixture& data = Data();
  tarnwick::test::FakePlatform fake;
  tarnwick::ScopedPlatform installed(fake);
  fake.resources["RS_BIG"] = data.record;
  for (auto _ : state) {
    tarnwick::tInstItem item;
    item.Content = tarnwick::LoadPayloadItem("rs_big", item.FileName, item.FileDate);
    if (item.Content.size() != data.content.size()) state.SkipWithError("wrong size");
    benchmark::DoNotOptimize(item.Content.data());
    fake.calls.clear();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.content.size()));
  state.counters["stored_MiB"] = double(data.record.size()) / (1 << 20);
}

BENCHMARK(BM_BareInflate)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadPayloadItem)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
