// The program's exit codes around the start-up gate, with the real Win32 layer and the
// boxes answered by the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program_win.h"
#include "platform/platform_win.h"
#include "util/exceptions.h"

namespace tarnwick {
namespace {

class ScriptedMachine : public Win32Platform {
 public:
  bool failWow64Query = false;
  Bytes commandLine = "\"C:\\Setup\\TarnwickSetup.exe\"";
  int answer = 2;  // Cancel
  std::vector<std::string> boxes;
  std::vector<Bytes> openedPages;

  bool IsWindows64() override {
    if (failWow64Query) throw Exception("Bad process handle");
    return false;  // 32-bit Windows: no DOSBox needed, only "/t" refuses
  }
  Bytes CommandLine() override { return commandLine; }
  int AskBox(const Bytes&, const Bytes& caption, unsigned flags) override {
    boxes.push_back(caption + " " + std::to_string(flags));
    return answer;
  }
  void OpenWebPage(const Bytes& address) override { openedPages.push_back(address); }
};

TEST(Program, AFailingWow64QueryEndsWithTheApplicationErrorAndExitCode1) {
  ScriptedMachine machine;
  machine.failWow64Query = true;
  std::vector<std::string> reported;
  EXPECT_EQ(RunProgram(machine, [&](const char* message) { reported.push_back(message); }), 1);
  EXPECT_EQ(reported, std::vector<std::string>{"Bad process handle"});
  EXPECT_TRUE(machine.boxes.empty()) << "neither the warning box nor the window";
}

TEST(Program, ARefusalEndsWithExitCode0WhateverTheAnswer) {
  for (int answer : {1, 2}) {
    ScriptedMachine machine;
    machine.commandLine += " /t";
    machine.answer = answer;
    std::vector<std::string> reported;
    EXPECT_EQ(RunProgram(machine, [&](const char* message) { reported.push_back(message); }), 0);
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(machine.boxes, std::vector<std::string>{"Vexo355 Installer 49"});
    EXPECT_EQ(machine.openedPages.size(), answer == 1 ? 1u : 0u);
  }
}

}  // namespace
}  // namespace tarnwick
