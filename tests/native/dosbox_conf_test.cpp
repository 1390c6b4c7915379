#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

#include "dosbox_fixture.h"
#include "payload/payload_errors.h"
#include "ucargo.h"

namespace tarnwick {
namespace {

using test::DosBoxFixture;
using test::ShippedDosBoxTemplate;

std::vector<Bytes> SplitCrLfLines(const Bytes& text) {
  std::vector<Bytes> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != Bytes::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

TEST(DosBoxTemplate, IsDosBoxsOwnFormWithAutoexecLast) {
  const Bytes text = ShippedDosBoxTemplate();
  ASSERT_GT(text.size(), 2u);
  ASSERT_EQ(text.substr(text.size() - 2), "\r\n") << "the last line must end in CR LF as well";
  const std::vector<Bytes> lines = SplitCrLfLines(text);
  for (const Bytes& line : lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), Bytes::npos) << "a bare CR or LF in: " << line;
  }
  EXPECT_EQ(lines.front(),
            "# This is the configurationfile for DOSBox 0.74. (Please use the latest version of DOSBox)");
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(std::vector<Bytes>(lines.end() - 3, lines.end()),
            (std::vector<Bytes>{"[autoexec]", "# Lines in this section will be run at startup.",
                                "# You can put your MOUNT lines here."}));
  EXPECT_EQ(text.find("mount c "), Bytes::npos);
}

TEST(DosBoxTemplate, HoldsEverySettingInDosBoxsOrder) {
  const std::vector<std::pair<Bytes, Bytes>> expected = {
      {"[sdl]", "fullscreen=false"}, {"[sdl]", "fulldouble=false"},
      {"[sdl]", "fullresolution=original"}, {"[sdl]", "windowresolution=800x600"},
      {"[sdl]", "output=opengl"}, {"[sdl]", "autolock=true"}, {"[sdl]", "sensitivity=100"},
      {"[sdl]", "waitonerror=true"}, {"[sdl]", "priority=higher,normal"},
      {"[sdl]", "mapperfile=mapper-0.74.map"}, {"[sdl]", "usescancodes=true"},
      {"[dosbox]", "language="}, {"[dosbox]", "machine=svga_s3"}, {"[dosbox]", "captures=capture"},
      {"[dosbox]", "memsize=16"},
      {"[render]", "frameskip=0"}, {"[render]", "aspect=false"}, {"[render]", "scaler=normal2x"},
      {"[cpu]", "core=auto"}, {"[cpu]", "cputype=auto"}, {"[cpu]", "cycles=max"},
      {"[cpu]", "cycleup=10"}, {"[cpu]", "cycledown=20"},
      {"[mixer]", "nosound=false"}, {"[mixer]", "rate=44100"}, {"[mixer]", "blocksize=1024"},
      {"[mixer]", "prebuffer=20"},
      {"[midi]", "mpu401=intelligent"}, {"[midi]", "mididevice=default"}, {"[midi]", "midiconfig="},
      {"[sblaster]", "sbtype=sb16"}, {"[sblaster]", "sbbase=220"}, {"[sblaster]", "irq=7"},
      {"[sblaster]", "dma=1"}, {"[sblaster]", "hdma=5"}, {"[sblaster]", "sbmixer=true"},
      {"[sblaster]", "oplmode=auto"}, {"[sblaster]", "oplemu=default"},
      {"[sblaster]", "oplrate=44100"},
      {"[gus]", "gus=false"}, {"[gus]", "gusrate=44100"}, {"[gus]", "gusbase=240"},
      {"[gus]", "gusirq=5"}, {"[gus]", "gusdma=3"}, {"[gus]", "ultradir=C:\\ULTRASND"},
      {"[speaker]", "pcspeaker=true"}, {"[speaker]", "pcrate=44100"}, {"[speaker]", "tandy=auto"},
      {"[speaker]", "tandyrate=44100"}, {"[speaker]", "disney=true"},
      {"[joystick]", "joysticktype=auto"}, {"[joystick]", "timed=true"},
      {"[joystick]", "autofire=false"}, {"[joystick]", "swap34=false"},
      {"[joystick]", "buttonwrap=false"},
      {"[serial]", "serial1=dummy"}, {"[serial]", "serial2=dummy"}, {"[serial]", "serial3=disabled"},
      {"[serial]", "serial4=disabled"},
      {"[dos]", "xms=true"}, {"[dos]", "ems=true"}, {"[dos]", "umb=true"},
      {"[dos]", "keyboardlayout=auto"},
      {"[ipx]", "ipx=false"},
  };
  std::vector<std::pair<Bytes, Bytes>> settings;
  std::vector<Bytes> sections;
  for (const Bytes& line : SplitCrLfLines(ShippedDosBoxTemplate())) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      sections.push_back(line);
    } else {
      ASSERT_FALSE(sections.empty()) << line;
      settings.emplace_back(sections.back(), line);
    }
  }
  EXPECT_EQ(settings, expected);
  EXPECT_EQ(sections, (std::vector<Bytes>{"[sdl]", "[dosbox]", "[render]", "[cpu]", "[mixer]",
                                          "[midi]", "[sblaster]", "[gus]", "[speaker]",
                                          "[joystick]", "[serial]", "[dos]", "[ipx]", "[autoexec]"}));
}

struct ConfCase {
  const char* name;
  const char* folder;
  const char* templateText;  // nullptr: the template as shipped
  const char* expectedTail;  // what follows the (cut) template
  const char* expectedHead;  // the part of the template that is kept; nullptr: all of it
};

void PrintTo(const ConfCase& c, std::ostream* os) { *os << c.name; }

class WriteDosBoxConfTest : public DosBoxFixture, public ::testing::WithParamInterface<ConfCase> {};

TEST_P(WriteDosBoxConfTest, AppendsTheStartUpLinesToTheTemplate) {
  const ConfCase& c = GetParam();
  if (c.templateText) fake.resources["RS_CONF"] = c.templateText;
  const Bytes templateText = fake.resources["RS_CONF"];
  fake.driveTypes[Bytes(c.folder).substr(0, 3)] = kDriveFixed;
  fake.AddFolder(c.folder);

  WriteDosBoxConf(Bytes(c.folder) + "quenw.exe");

  const Bytes head = c.expectedHead ? Bytes(c.expectedHead) : templateText;
  EXPECT_EQ(WrittenConf(c.folder), head + c.expectedTail);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, WriteDosBoxConfTest,
    ::testing::Values(
        ConfCase{"ShippedTemplate", "c:\\corvana\\qv\\", nullptr,
                 "mount c c:\\corvana\\qv\r\nc:\r\ndel f\r\nquenw.exe /ns\r\nexit\r\n", nullptr},
        ConfCase{"TemplateAlreadyMounting", "c:\\corvana\\qv\\",
                 "[cpu]\r\ncycles=max\r\n[autoexec]\r\n# MOUNT c here\r\nmount c d:\\old\r\nc:\r\nold.exe\r\n",
                 "mount c c:\\corvana\\qv\r\nc:\r\ndel f\r\nquenw.exe /ns\r\nexit\r\n",
                 "[cpu]\r\ncycles=max\r\n[autoexec]\r\n# MOUNT c here\r\n"},
        ConfCase{"DriveRoot", "e:\\", nullptr, "mount c e:\r\nc:\r\ndel f\r\nquenw.exe /ns\r\nexit\r\n",
                 nullptr},
        // DOSBox takes "mount c c:\my games" as a mount of "c:\my" and runs nothing.
        ConfCase{"FolderWithBlank", "c:\\my games\\", nullptr,
                 "mount c \"c:\\my games\"\r\nc:\r\ndel f\r\nquenw.exe /ns\r\nexit\r\n", nullptr},
        // DOSBox expands %...% in [autoexec]; "%%" is how it reads one "%".
        ConfCase{"FolderWithPercent", "c:\\100%wheels\\", nullptr,
                 "mount c c:\\100%%wheels\r\nc:\r\ndel f\r\nquenw.exe /ns\r\nexit\r\n", nullptr},
        ConfCase{"FolderWithBlankAndPercents", "c:\\my %TEMP% 50%\\", nullptr,
                 "mount c \"c:\\my %%TEMP%% 50%%\"\r\nc:\r\ndel f\r\nquenw.exe /ns\r\nexit\r\n",
                 nullptr}),
    [](const ::testing::TestParamInfo<ConfCase>& info) { return std::string(info.param.name); });

TEST_F(DosBoxFixture, EveryConfOfTheFolderGoesToTheRecycleBinBeforeTheNewOneIsWritten) {
  fake.AddFile("c:\\qv\\dosbox.conf", "old");
  fake.AddFile("c:\\qv\\settings.conf", "mine");
  fake.AddFile("c:\\qv\\quenw.exe", "MZ");
  fake.AddFile("c:\\qv\\sub\\keep.conf", "deeper");

  WriteDosBoxConf("c:\\qv\\quenw.exe");

  EXPECT_EQ(fake.recycledMasks, std::vector<Bytes>{"c:\\qv\\*.conf"});
  EXPECT_EQ(fake.FindFile("c:\\qv\\settings.conf"), nullptr);
  EXPECT_NE(fake.FindFile("c:\\qv\\quenw.exe"), nullptr);
  EXPECT_NE(fake.FindFile("c:\\qv\\sub\\keep.conf"), nullptr);
  EXPECT_NE(WrittenConf("c:\\qv\\"), "old");
  const auto recycled = std::find(fake.calls.begin(), fake.calls.end(), "RecycleFiles c:\\qv\\*.conf");
  const auto written = std::find(fake.calls.begin(), fake.calls.end(), "WriteFileBytes c:\\qv\\dosbox.conf");
  ASSERT_NE(written, fake.calls.end());
  EXPECT_LT(recycled, written);
}

TEST_F(DosBoxFixture, AMissingTemplateRaisesAndTouchesNothing) {
  fake.resources.clear();
  fake.AddFile("c:\\qv\\dosbox.conf", "old");
  try {
    WriteDosBoxConf("c:\\qv\\quenw.exe");
    FAIL() << "no exception";
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource rs_Conf not found");
  }
  EXPECT_TRUE(fake.recycledMasks.empty());
  EXPECT_EQ(WrittenConf("c:\\qv\\"), "old");
}

}  // namespace
}  // namespace tarnwick
