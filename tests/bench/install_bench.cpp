// The whole installation run on a payload of nine 16 MiB items, against real files: load
// every record (decipher, inflate), write each file with its date under the progress window,
// serve the finished state and show the closing note (the window and the boxes are the fake
// ones; files, folders and dates are real). Compared with writing the same bytes with plain
// file writes, and with the floor of any run that must unpack its payload: loading the nine
// items through the reader, then writing them with plain file writes.
//
//   build/native/bench/install_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Creates or truncates the file and writes every byte: the baseline's whole job.
bool PlainWrite(const std::string& path, const Bytes& bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return close(fd) == 0 && done == bytes.size();
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

  bool WriteFileBytes(const Bytes& path, const Bytes& bytes) override { return PlainWrite(Real(path), bytes); }

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
  std::vector<Bytes> records;  // packed, in catalogue order
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

// The menu program lies in the parent folder, so the closing note is the only completion work.
class BenchMachine : public DiskMachine {
 public:
  using DiskMachine::DiskMachine;
  bool FileExists(const Bytes& path) override {
    return tarnwick::LowerCase(path) == "c:\\bench\\qvmenu.exe" || DiskMachine::FileExists(path);
  }
};

void BM_InstallRun(benchmark::State& state) {
  Data();  // packed before the clock runs
  const std::string root = MakeTempRoot();
  BenchMachine machine(root);
  PrepareMachine(machine);
  tarnwick::ScopedPlatform installed(machine);
  for (auto _ : state) {
    if (!tarnwick::InstallPayload(kInstallFolder)) state.SkipWithError("the run reported a failure");
    state.PauseTiming();
    RemoveInstalled(machine);
    machine.boxes.clear();
    machine.calls.clear();
    state.ResumeTiming();
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
    for (int i = 0; i < kItems; ++i)
      if (!PlainWrite(folder + "/" + data.names[i], data.contents[i])) state.SkipWithError("write failed");
    state.PauseTiming();
    RemoveInstalled(machine);
    state.ResumeTiming();
  }
  rmdir(root.c_str());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kItems) * int64_t(kItemBytes));
}

// The floor for any run that unpacks its payload: the nine items loaded through the reader,
// then written with plain file writes, in the run's order (every item loaded before the
// first write; the items released before the files are removed).
void BM_LoadThenPlainWrites(benchmark::State& state) {
  const Payload& data = Data();
  const std::string root = MakeTempRoot();
  DiskMachine machine(root);
  PrepareMachine(machine);
  tarnwick::ScopedPlatform installed(machine);
  for (auto _ : state) {
    std::vector<Bytes> contents;
    Bytes catalogue = tarnwick::kPayloadCatalogue;
    for (int i = 0; i < kItems; ++i) {
      Bytes fileName;
      int32_t fileDate = 0;
      contents.push_back(tarnwick::LoadPayloadItem(tarnwick::SplitFirst(catalogue, ","), fileName, fileDate));
    }
    const std::string folder = machine.Real(kInstallFolder);
    mkdir(machine.Real("c:\\bench").c_str(), 0755);
    mkdir(folder.c_str(), 0755);
    for (int i = 0; i < kItems; ++i)
      if (!PlainWrite(folder + "/" + data.names[i], contents[i])) state.SkipWithError("write failed");
    contents.clear();
    state.PauseTiming();
    RemoveInstalled(machine);
    state.ResumeTiming();
  }
  rmdir(root.c_str());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kItems) * int64_t(kItemBytes));
}

}  // namespace

BENCHMARK(BM_PlainWrites)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_InstallRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadThenPlainWrites)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
