#pragma once
// A fake machine carrying a small packed payload of the nine catalogue items, and the
// scripted user of the progress window: clicks queued at the moment a given file is being
// written, and the OK that ends the finished state.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fake/fake_platform.h"
#include "payload/record_writer.h"
#include "util/paths.h"

namespace tarnwick::test {

struct SampleItem {
  Bytes resource;  // catalogue name
  Bytes fileName;
  Bytes content;
  int32_t dosDate;
};

// Distinct names, sizes and dates, so that a file written under the wrong name, with the
// wrong bytes or the wrong date shows.
inline std::vector<SampleItem> SamplePayload() {
  const char* names[][2] = {{"rs_cmd", "tkrun.cmd"},      {"rs_exe", "tkrun.exe"},       {"rs_wlb1", "tkwheel1.wlb"},
                            {"rs_hlp", "tkrun.hlp"},      {"rs_icon", "tkmark.ico"},     {"rs_wlbv4", "tkwheel4.wlb"},
                            {"rs_wlbv4add", "tkw4add.wlb"}, {"rs_readme", "readme.txt"}, {"rs_pr32", "pr32.exe"}};
  std::vector<SampleItem> items;
  for (int i = 0; i < 9; ++i) {
    Bytes content;
    for (int n = 0; n <= i * 37; ++n) content += names[i][1];
    // 2004-10-(1+i) 09:14:(2i) as a packed MS-DOS date-time
    const int32_t date = ((2004 - 1980) << 25) | (10 << 21) | ((1 + i) << 16) | (9 << 11) | (14 << 5) | i;
    items.push_back({names[i][0], names[i][1], content, date});
  }
  return items;
}

inline Bytes ShippedConfTemplate() {
  std::ifstream in(TARNWICK_SOURCE_DIR "/resources/dosbox/dosbox-0.74.conf", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The fake machine, with a hook into the payload reader's resource lookups.
class PayloadMachine : public FakePlatform {
 public:
  std::function<void(const Bytes& name)> whileLoading;
  std::optional<std::string_view> FindProgramResource(const Bytes& name) override {
    if (whileLoading) whileLoading(name);
    return FakePlatform::FindProgramResource(name);
  }
};

class InstallFixture : public ::testing::Test {
 protected:
  InstallFixture() {
    for (const SampleItem& item : payload) Store(item);
    fake.resources["RS_CONF"] = ShippedConfTemplate();
    fake.beforePump = [this](FakePlatform& machine) { OnPump(machine); };
  }

  void Store(const SampleItem& item) {
    fake.resources[UpperCase(item.resource)] = PackRecord(item.content, item.fileName, item.dosDate);
  }

  // The progress window while it lives.
  FakeForm* Progress() { return fake.Form("TInstProgressForm"); }

  // Queues `action` at the first pump pass after the n-th file has been named to the
  // progress window: the pass inside SetPosition that follows that file's write.
  void DuringFile(int n, std::function<void(FakeForm&)> action) { scripted.push_back({n, std::move(action), false}); }
  void ClickDuringFile(int n, const std::string& control) {
    DuringFile(n, [control](FakeForm& form) { form.Click(control); });
  }

  // The payload files that are on the fake disk in `folder`.
  int FilesInstalled(const Bytes& folder) const {
    int count = 0;
    for (const SampleItem& item : payload) count += fake.FindFile(folder + item.fileName) != nullptr;
    return count;
  }

  size_t CountCalls(const std::string& call) const {
    size_t count = 0;
    for (const std::string& c : fake.calls) count += c == call;
    return count;
  }

  // Position of the first call equal to `call` in the log, or the log's size.
  size_t CallIndex(const std::string& call) const {
    for (size_t i = 0; i < fake.calls.size(); ++i)
      if (fake.calls[i] == call) return i;
    return fake.calls.size();
  }

  std::vector<const ShownBox*> Boxes(const std::string& kind) const {
    std::vector<const ShownBox*> found;
    for (const ShownBox& box : fake.boxes)
      if (box.kind == kind) found.push_back(&box);
    return found;
  }

  std::vector<SampleItem> payload = SamplePayload();
  PayloadMachine fake;
  ScopedPlatform installed{fake};
  // The user presses OK as soon as the finished state is shown (set false to leave it waiting).
  bool acknowledgeFinished = true;
  int finishedShown = 0;

 private:
  struct Scripted {
    int file;
    std::function<void(FakeForm&)> action;
    bool queued;
  };

  void OnPump(FakePlatform& machine) {
    FakeForm* form = Progress();
    if (!form) return;
    for (Scripted& step : scripted) {
      if (step.queued || form->Text("lbFiles") != "Files: " + std::to_string(step.file)) continue;
      step.queued = true;
      machine.queue.push_back([this, action = step.action] {
        if (FakeForm* live = Progress()) action(*live);
      });
    }
    if (acknowledgeFinished && form->Text("lbStage") == "Installation Successful." && machine.queue.empty()) {
      ++finishedShown;
      machine.queue.push_back([this] {
        if (FakeForm* live = Progress()) live->Click("btnCancel");
      });
    }
  }

  std::vector<Scripted> scripted;
};

}  // namespace tarnwick::test
