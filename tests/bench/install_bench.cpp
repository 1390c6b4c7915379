// The whole installation run on a payload of nine 16 MiB items, against real files: load
// every record (decipher, inflate), write each file with its date under the progress window,
// serve the finished state and show the closing note (the window and the boxes are the fake
// ones; files, folders and dates are real). Compared with writing the same bytes with plain
// file writes. The run's writing phase is also clocked on its own, and the loading of the
// nine items, to show where the time of the whole run goes.
//
//   build/native/bench/install_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "fake/fake_platform.h"
#include "payload/load_payload_item.h"
#include "payload/payload_catalogue.h"
#include "payload/record_writer.h"
#include "ucargo.h"
#include "util/paths.h"

namespace {

using tarnwick::Bytes;

constexpr size_t kItemBytes = size_t(16) << 20;
constexpr int kItems = 9;
const char kInstallFolder[] = "c:\\bench\\qv";

// Program-like content: runs of text, numbers and binary tables, deflating to about 40 %.
Bytes SyntheticItem(uint32_t seed) {
  static const char* const kWords[] = {"wheel ", "ticket ", "guarantee ", "draw ", "number ", "pool ",
                                       "prize ", "division ", "Tarnwick ", "print ", "\r\n", "line "};
  Bytes out;
  out.reserve(kItemBytes + 64);
  uint32_t state = seed;
  while (out.size() < kItemBytes) {
    state = state * 1664525u + 1013904223u;
    if ((state & 0xF000) == 0) {
      for (int i = 0; i < 32; ++i) out += static_cast<char>((state >> (i % 24)) & 0xFF);  // a table row
    } else {
      out += kWords[(state >> 28) % 12];
      if ((state & 0x300) == 0) out += std::to_string(state % 50 + 1) + ' ';
    }
  }
  out.resize(kItemBytes);
  return out;
}

// The fake machine with a real file system below a temporary folder: "c:\a\b" is <root>/a/b.
class DiskMachine : public tarnwick::test::FakePlatform {
 public:
  explicit DiskMachine(std::string root) : root_(std::move(root)) {}

  std::string Real(const Bytes& path) const {
    Bytes rest = path.size() >= 2 && path[1] == ':' ? path.substr(2) : path;
    for (char& c : rest)
      if (c == '\\') c = '/';
    return root_ + rest;
  }

  bool FileExists(const Bytes& path) override {
    struct stat info;
    return stat(Real(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
  }
  bool FolderExists(const Bytes& path) override {
    struct stat info;
    return stat(Real(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }
  bool CreateFolder(const Bytes& path) override { return mkdir(Real(path).c_str(), 0755) == 0; }

  bool WriteFileBytes(const Bytes& path, const Bytes& bytes) override {
    int fd = open(Real(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    return close(fd) == 0 && done == bytes.size();
  }

  // The packed MS-DOS date-time read as local time, set as the last-write time only.
  bool SetFileDosDate(const Bytes& path, int32_t dosDateTime) override {
    const uint32_t v = static_cast<uint32_t>(dosDateTime);
    std::tm local{};
    local.tm_year = static_cast<int>((v >> 25) + 80);
    local.tm_mon = static_cast<int>((v >> 21) & 0x0F) - 1;
    local.tm_mday = static_cast<int>((v >> 16) & 0x1F);
    local.tm_hour = static_cast<int>((v >> 11) & 0x1F);
    local.tm_min = static_cast<int>((v >> 5) & 0x3F);
    local.tm_sec = static_cast<int>((v & 0x1F) * 2);
    local.tm_isdst = -1;
    const timespec times[2] = {{0, UTIME_OMIT}, {std::mktime(&local), 0}};
    return utimensat(AT_FDCWD, Real(path).c_str(), times, 0) == 0;
  }

 private:
  std::string root_;
};

struct Payload {
  std::vector<Bytes> names;
  std::vector<Bytes> contents;
  std::vector<Bytes> records;  // upper-case resource name order as in the catalogue
  Payload() {
    Bytes catalogue = tarnwick::kPayloadCatalogue;
    for (int i = 0; i < kItems; ++i) {
      const Bytes resource = tarnwick::SplitFirst(catalogue, ",");
      names.push_back(resource.substr(3) + ".dat");
      contents.push_back(SyntheticItem(2004u + static_cast<uint32_t>(i)));
      records.push_back(tarnwick::PackRecord(contents.back(), names.back(), 0x31613A2C, 6));
    }
  }
};

const Payload& Data() {
  static const Payload payload;
  return payload;
}

std::string MakeTempRoot() {
  char pattern[] = "/tmp/tarnwick-install-bench-XXXXXX";
  if (!mkdtemp(pattern)) std::abort();
  return pattern;
}

void RemoveInstalled(const DiskMachine& machine) {
  const Payload& data = Data();
  for (const Bytes& name : data.names) unlink(machine.Real(Bytes(kInstallFolder) + "\\" + name).c_str());
  rmdir(machine.Real(kInstallFolder).c_str());
  rmdir(machine.Real("c:\\bench").c_str());
}

void PrepareMachine(tarnwick::test::FakePlatform& machine) {
  const Payload& data = Data();
  Bytes catalogue = tarnwick::kPayloadCatalogue;
  for (int i = 0; i < kItems; ++i)
    machine.resources[tarnwick::UpperCase(tarnwick::SplitFirst(catalogue, ","))] = data.records[i];
  // The user presses OK as soon as the finished state waits for it.
  machine.beforePump = [](tarnwick::test::FakePlatform& m) {
    tarnwick::test::FakeForm* form = m.Form("TInstProgressForm");
    if (form && form->Text("lbStage") == "Installation Successful." && m.queue.empty())
      m.queue.push_back([form] { form->Click("btnCancel"); });
  };
}

// The menu program lies in the parent folder, so the closing note is the only completion
// work. Also clocks the run's writing phase: from the first file write to the finished state.
class BenchMachine : public DiskMachine {
 public:
  using DiskMachine::DiskMachine;
  using Clock = std::chrono::steady_clock;

  bool FileExists(const Bytes& path) override {
    return tarnwick::LowerCase(path) == "c:\\bench\\qvmenu.exe" || DiskMachine::FileExists(path);
  }
  bool WriteFileBytes(const Bytes& path, const Bytes& bytes) override {
    if (!writing) {
      writing = true;
      firstWrite = Clock::now();
    }
    return DiskMachine::WriteFileBytes(path, bytes);
  }
  void Finished() {
    if (writing) finished = Clock::now();
    writing = false;
  }

  bool writing = false;
  Clock::time_point firstWrite, finished;
};

void RunOnce(benchmark::State& state) {
  if (!tarnwick::InstallPayload(kInstallFolder)) state.SkipWithError("the run reported a failure");
}

void BM_InstallRun(benchmark::State& state) {
  Data();
  const std::string root = MakeTempRoot();
  BenchMachine machine(root);
  PrepareMachine(machine);
  tarnwick::ScopedPlatform installed(machine);
  for (auto _ : state) {
    RunOnce(state);
    state.PauseTiming();
    RemoveInstalled(machine);
    machine.boxes.clear();
    machine.calls.clear();
    state.ResumeTiming();
  }
  rmdir(root.c_str());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kItems) * int64_t(kItemBytes));
}

// The same runs, timed over the writing phase only: nine writes with their dates, the
// progress reports and their message passes. This is the part that plain writes compare to.
void BM_InstallRunWritingPhase(benchmark::State& state) {
  Data();
  const std::string root = MakeTempRoot();
  BenchMachine machine(root);
  PrepareMachine(machine);
  auto acknowledge = machine.beforePump;
  machine.beforePump = [&machine, acknowledge](tarnwick::test::FakePlatform& m) {
    tarnwick::test::FakeForm* form = m.Form("TInstProgressForm");
    if (form && form->Text("lbStage") == "Installation Successful.") machine.Finished();
    acknowledge(m);
  };
  tarnwick::ScopedPlatform installed(machine);
  for (auto _ : state) {
    RunOnce(state);
    state.SetIterationTime(std::chrono::duration<double>(machine.finished - machine.firstWrite).count());
    RemoveInstalled(machine);
    machine.boxes.clear();
    machine.calls.clear();
  }
  rmdir(root.c_str());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kItems) * int64_t(kItemBytes));
}

void BM_PlainWrites(benchmark::State& state) {
  const Payload& data = Data();
  const std::string root = MakeTempRoot();
  DiskMachine machine(root);
  for (auto _ : state) {
    const std::string folder = machine.Real(kInstallFolder);
    mkdir(machine.Real("c:\\bench").c_str(), 0755);
    mkdir(folder.c_str(), 0755);
    for (int i = 0; i < kItems; ++i) {
      int fd = open((folder + "/" + data.names[i]).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const Bytes& bytes = data.contents[i];
      size_t done = 0;
      while (fd >= 0 && done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
      }
      if (fd < 0 || close(fd) != 0 || done != bytes.size()) state.SkipWithError("write failed");
    }
    state.PauseTiming();
    RemoveInstalled(machine);
    state.ResumeTiming();
  }
  rmdir(root.c_str());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kItems) * int64_t(kItemBytes));
}

// The loading part of the run on its own: nine records deciphered and inflated.
void BM_LoadNineItems(benchmark::State& state) {
  Data();
  tarnwick::test::FakePlatform machine;
  PrepareMachine(machine);
  tarnwick::ScopedPlatform installed(machine);
  for (auto _ : state) {
    Bytes catalogue = tarnwick::kPayloadCatalogue;
    for (int i = 0; i < kItems; ++i) {
      Bytes fileName;
      int32_t fileDate = 0;
      Bytes content = tarnwick::LoadPayloadItem(tarnwick::SplitFirst(catalogue, ","), fileName, fileDate);
      benchmark::DoNotOptimize(content.data());
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kItems) * int64_t(kItemBytes));
}

}  // namespace

BENCHMARK(BM_PlainWrites)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_InstallRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_InstallRunWritingPhase)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_LoadNineItems)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
