// Serial ports over a pseudo-terminal pair: the port list, line parameters, a byte-exact round
// trip in both directions, exclusive opening, time-outs, and the device going away.
#include "platform/serial.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qv {
namespace {

// A simulated device: the controlling side of a pseudo-terminal, its other side in the list.
class SerialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device = OpenPseudoTerminal(&path);
    ASSERT_NE(device, NoSerialPort);
    number = AddSerialPortPath(path);
    port = OpenSerialPort(number, 256, 256);
    ASSERT_NE(port, NoSerialPort);
  }
  void TearDown() override {
    CloseSerialPort(port);
    CloseSerialPort(device);
  }
  // Everything the device has received, waiting for count bytes.
  std::string DeviceReads(size_t count) {
    std::string got(count, '\0');
    size_t n = 0;
    EXPECT_TRUE(ReadSerial(device, got.data(), count, &n));
    got.resize(n);
    return got;
  }
  std::string path;
  SerialPort device = NoSerialPort, port = NoSerialPort;
  int number = 0;
};

TEST_F(SerialTest, NamesArePortsOfTheListAndEmptyOutsideIt) {
  EXPECT_EQ(SerialPortName(0), "");
  EXPECT_EQ(SerialPortName(SerialPortCount() + 1), "");
  EXPECT_EQ(SerialPortName(number), path);
  for (int n = 1; n <= SerialPortCount(); ++n) {
    EXPECT_TRUE(std::filesystem::exists(SerialPortName(n))) << SerialPortName(n);
  }
  EXPECT_EQ(OpenSerialPort(0, 256, 256), NoSerialPort);
  EXPECT_EQ(OpenSerialPort(SerialPortCount() + 1, 256, 256), NoSerialPort);
}

TEST_F(SerialTest, LineParametersTakeOnlyWhatThePortCanDo) {
  EXPECT_TRUE(SetSerialParameters(port, 9600, 8, 0, 0));
  termios mode{};
  ASSERT_EQ(tcgetattr(port, &mode), 0);
  EXPECT_EQ(cfgetospeed(&mode), B9600);
  EXPECT_EQ(mode.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_EQ(mode.c_cflag & (PARENB | CSTOPB), 0u);

  EXPECT_TRUE(SetSerialParameters(port, 1200, 8, 0, 0));
  ASSERT_EQ(tcgetattr(port, &mode), 0);
  EXPECT_EQ(cfgetospeed(&mode), B1200);

  // A pseudo-terminal keeps 8 bits without parity whatever it is asked: a change that does not
  // take is a failure, not a success.
  EXPECT_FALSE(SetSerialParameters(port, 1200, 7, 2, 2));
  struct Bad {
    int baud, size, parity, stop;
  };
  for (const Bad& b :
       {Bad{12345, 8, 0, 0}, Bad{9600, 9, 0, 0}, Bad{9600, 4, 0, 0}, Bad{9600, 8, 5, 0},
        Bad{9600, 8, -1, 0}, Bad{9600, 8, 0, 1}, Bad{9600, 8, 0, 3}}) {
    EXPECT_FALSE(SetSerialParameters(port, b.baud, b.size, b.parity, b.stop))
        << b.baud << " " << b.size;
  }
  // A failed change leaves the port as it was.
  ASSERT_EQ(tcgetattr(port, &mode), 0);
  EXPECT_EQ(cfgetospeed(&mode), B1200);
  EXPECT_FALSE(SetSerialParameters(NoSerialPort, 9600, 8, 0, 0));
}

TEST_F(SerialTest, BytesPassUnchangedBothWays) {
  ASSERT_TRUE(SetSerialParameters(port, 9600, 8, 0, 0));
  // Carriage returns, flow-control characters and zeros would be changed or eaten by a
  // terminal in its usual mode.
  const std::string command =
      std::string(":GR#\r\n\x11\x13", 8) + std::string(1, '\0') + "\x7f\xff";
  size_t written = 0;
  ASSERT_TRUE(WriteSerial(port, command.data(), command.size(), &written));
  EXPECT_EQ(written, command.size());
  EXPECT_EQ(DeviceReads(command.size()), command);

  const std::string reply = std::string("12:34:56#\r\x03\0", 13);
  ASSERT_TRUE(WriteSerial(device, reply.data(), reply.size(), &written));
  int waiting = 0, unsent = -1;
  for (int tries = 0; tries < 100 && waiting < int(reply.size()); ++tries) {
    ASSERT_TRUE(SerialBytesWaiting(port, &waiting, &unsent));
    if (waiting < int(reply.size())) usleep(1000);
  }
  EXPECT_EQ(waiting, int(reply.size()));
  EXPECT_EQ(unsent, 0);
  std::string got(waiting, '\0');
  size_t read = 0;
  ASSERT_TRUE(ReadSerial(port, got.data(), got.size(), &read));
  EXPECT_EQ(read, reply.size());
  EXPECT_EQ(got, reply);
}

TEST_F(SerialTest, ReadingMoreThanArrivesStopsWithWhatCame) {
  size_t written = 0;
  ASSERT_TRUE(WriteSerial(device, "abc", 3, &written));
  char buffer[10];
  size_t read = 99;
  EXPECT_TRUE(ReadSerial(port, buffer, sizeof buffer, &read));
  EXPECT_EQ(read, 3u);
  EXPECT_EQ(std::string(buffer, 3), "abc");
}

TEST_F(SerialTest, OpeningIsExclusive) {
  EXPECT_EQ(OpenSerialPort(number, 256, 256), NoSerialPort);
  CloseSerialPort(port);
  port = OpenSerialPort(number, 256, 256);
  EXPECT_NE(port, NoSerialPort);
}

TEST_F(SerialTest, VanishedDeviceMakesEveryCallFail) {
  CloseSerialPort(device);
  device = NoSerialPort;
  int waiting = 0;
  EXPECT_FALSE(SerialBytesWaiting(port, &waiting, nullptr));
  char buffer[4];
  size_t count = 99;
  EXPECT_FALSE(ReadSerial(port, buffer, sizeof buffer, &count));
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(WriteSerial(port, "x", 1, &count));
}

TEST_F(SerialTest, OnlyOpenPortsAreUsedOrClosed) {
  const int stray = dup(0);  // a descriptor the serial layer did not open
  ASSERT_GE(stray, 0);
  char c;
  size_t n;
  EXPECT_FALSE(ReadSerial(stray, &c, 1, &n));
  EXPECT_FALSE(WriteSerial(stray, "x", 1, &n));
  CloseSerialPort(stray);
  EXPECT_NE(fcntl(stray, F_GETFD), -1);  // still open
  close(stray);
  CloseSerialPort(port);
  EXPECT_FALSE(WriteSerial(port, "x", 1, &n));
  port = NoSerialPort;
}

}  // namespace
}  // namespace qv
