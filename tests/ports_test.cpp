// Port enumeration: FTDI adapters from the simulated bus, ttys from a
// directory of our own.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/serial/ports.h"
#include "core/serial/serial.h"
#include "core/serial/serial_backend.h"
#include "support/test_port.h"
#include "support/ftdi_sim.h"
#include "support/temp_home.h"

namespace {

using Names = std::vector<std::string>;

class PortList : public testing::Test {
 protected:
  void SetUp() override { FtdiSimReset(); }
  void TearDown() override { CloseTestPort(); }
};

TEST_F(PortList, MatchingAdaptersAreNumberedFromOne) {
  FtdiSimAddDevice("Lumivane");
  FtdiSimAddDevice("Lumivane Box");
  EXPECT_EQ(serial_list_ftdi(), (Names{"Lumivane (1)", "Lumivane Box (2)"}));
  EXPECT_EQ(FtdiSimOpenCount(), 0);
}

TEST_F(PortList, ForeignAdaptersKeepTheirIndexButAreNotListed) {
  FtdiSimAddDevice("FT232R USB UART");
  FtdiSimAddDevice("Lumivane");
  FtdiSimAddDevice("lumivane");
  EXPECT_EQ(serial_list_ftdi(), (Names{"Lumivane (2)"}));
  // Each device was opened once and closed again, listed or not.
  int closes = 0;
  for (const FtdiSimEvent& event : FtdiSimEvents()) closes += event.call == "FT_Close";
  EXPECT_EQ(closes, 3);
  EXPECT_EQ(FtdiSimOpenCount(), 0);
}

TEST_F(PortList, AdapterInUseIsLeftOut) {
  FtdiSimAddDevice("Lumivane", /*busy=*/true);
  FtdiSimAddDevice("Lumivane");
  FtdiSimAddDevice("Lumivane");
  ASSERT_EQ(OpenTestPort("Lumivane (3)", 9600), 0);  // held by the link
  EXPECT_EQ(serial_list_ftdi(), (Names{"Lumivane (2)"}));
  EXPECT_TRUE(serial_isopen(TestPort())) << "listing leaves the link alone";
}

TEST_F(PortList, NoAdaptersNoEntries) {
  EXPECT_TRUE(serial_list_ftdi().empty());
  EXPECT_EQ(FtdiSimTrace(), (std::vector<std::string>{"FT_ListDevices 80000000"}));
}

TEST_F(PortList, EveryListedAdapterOpensAsListed) {
  FtdiSimAddDevice("Other");
  FtdiSimAddDevice("Lumivane A");
  FtdiSimAddDevice("Lumivane B");
  Names names = serial_list_ftdi();
  ASSERT_EQ(names.size(), 2u);
  for (size_t i = 0; i < names.size(); ++i) {
    FtdiSimReset();
    FtdiSimAddDevice("Other");
    FtdiSimAddDevice("Lumivane A");
    FtdiSimAddDevice("Lumivane B");
    ASSERT_EQ(OpenTestPort(names[i].c_str(), 9600), 0) << names[i];
    EXPECT_EQ(FtdiSimEvents().front().device, static_cast<int>(i) + 1) << names[i];
    CloseTestPort();
  }
}

void Touch(const std::string& path) {
  int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  close(fd);
}

TEST_F(PortList, TtyNamesByPrefixOnly) {
  const std::string dir = TestHome() + "/dev";
  ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
  for (const char* name : {"ttyS0", "ttyUSB0", "ttyUSB10", "ttySAC0", "tty0", "ttyACM0", "ttyusb0",
                           "null", "xttyS0"}) {
    Touch(dir + "/" + name);
  }
  ASSERT_EQ(mkdir((dir + "/ttyS-dir").c_str(), 0700), 0);  // not examined: listed too

  Names names = serial_list_tty_in((dir + "/").c_str());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Names{"ttyS-dir", "ttyS0", "ttySAC0", "ttyUSB0", "ttyUSB10"}));
}

TEST_F(PortList, UnreadableDirectoryGivesNoTtys) {
  EXPECT_TRUE(serial_list_tty_in((TestHome() + "/missing/").c_str()).empty());
}

TEST_F(PortList, AdaptersComeBeforeTtys) {
  FtdiSimAddDevice("Lumivane");
  Names all = serial_list_ports();
  Names ttys = serial_list_tty();
  ASSERT_EQ(all.size(), ttys.size() + 1);
  EXPECT_EQ(all.front(), "Lumivane (1)");
  EXPECT_TRUE(std::equal(ttys.begin(), ttys.end(), all.begin() + 1));
  for (const std::string& name : ttys) {
    EXPECT_TRUE(name.rfind("ttyS", 0) == 0 || name.rfind("ttyUSB", 0) == 0) << name;
  }
}

}  // namespace
