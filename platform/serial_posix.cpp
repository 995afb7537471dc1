// platform/serial_posix.cpp - serial ports on POSIX terminals (termios), and pseudo-terminals
// for simulated devices.
//
// Ports are opened non-blocking and every read and write waits with poll(), so no call can
// hang on a device that stopped answering. The exclusive open takes both the terminal's own
// exclusive mode (TIOCEXCL) and an advisory lock on the device, since the first does not stop
// a process with administrator rights.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <vector>

#include "platform/serial.h"

namespace qv {
namespace {

std::vector<std::string>& PortList() {
  static std::vector<std::string> list;
  return list;
}
bool listed = false;
// Only these descriptors are ours to use and close. Guarded because a simulated device may run
// on a thread of its own (the program itself uses the ports from one thread).
std::set<int> openPorts;
std::mutex openPortsLock;

void AddOpenPort(int fd) {
  std::lock_guard<std::mutex> hold(openPortsLock);
  openPorts.insert(fd);
}

// TakeOpenPort: removes the port from the set; false when it was not there.
bool TakeOpenPort(int fd) {
  std::lock_guard<std::mutex> hold(openPortsLock);
  return openPorts.erase(fd) != 0;
}

// A built-in serial port exists as a device even without a UART; its type in sysfs is then 0.
bool HasUart(const std::string& name) {
  std::ifstream type("/sys/class/tty/" + name + "/type");
  int value = 0;
  return type >> value && value != 0;
}

void ListPorts() {
  struct Found {
    int group;
    long number;
    std::string path;
  };
  std::vector<Found> found;
  const std::string groups[] = {"ttyS", "ttyUSB", "ttyACM"};
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
    const std::string name = entry.path().filename().string();
    for (int g = 0; g < 3; ++g) {
      const std::string& prefix = groups[g];
      if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
      const std::string digits = name.substr(prefix.size());
      if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        continue;
      if (g == 0 && !HasUart(name)) continue;
      found.push_back({g, std::strtol(digits.c_str(), nullptr, 10), entry.path().string()});
    }
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.group != b.group ? a.group < b.group : a.number < b.number;
  });
  for (const Found& f : found) PortList().push_back(f.path);
}

std::vector<std::string>& Ports() {
  if (!listed) {
    listed = true;
    ListPorts();
  }
  return PortList();
}

bool IsOpen(SerialPort port) {
  std::lock_guard<std::mutex> hold(openPortsLock);
  return openPorts.count(port) != 0;
}

speed_t SpeedOf(int baud) {
  static constexpr std::pair<int, speed_t> Speeds[] = {
      {50, B50},           {75, B75},           {110, B110},         {134, B134},
      {150, B150},         {200, B200},         {300, B300},         {600, B600},
      {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
      {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
      {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
      {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
      {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
      {3500000, B3500000}, {4000000, B4000000}};
  for (const auto& [rate, speed] : Speeds) {
    if (rate == baud) return speed;
  }
  return B0;
}

// Waits until the port can be read (or written); false on time-out or a device gone away.
enum class Ready { Yes, TimedOut, Gone };
Ready WaitFor(SerialPort port, short events, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{port, events, 0};
    const int n = poll(&p, 1, static_cast<int>(std::max<int64_t>(left.count(), 0)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || (p.revents & (POLLERR | POLLNVAL))) return Ready::Gone;
    if (p.revents & events) return Ready::Yes;
    if (p.revents & POLLHUP) return Ready::Gone;
    if (n == 0) return Ready::TimedOut;
  }
}

}  // namespace

int SerialPortCount() { return static_cast<int>(Ports().size()); }

std::string SerialPortName(int number) {
  const auto& ports = Ports();
  return number >= 1 && number <= int(ports.size()) ? ports[number - 1] : std::string();
}

int AddSerialPortPath(std::string_view path) {
  Ports().emplace_back(path);
  return SerialPortCount();
}

SerialPort OpenSerialPort(int number, int /*inputQueue*/, int /*outputQueue*/) {
  const std::string path = SerialPortName(number);
  if (path.empty()) return NoSerialPort;
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return NoSerialPort;
  termios mode{};
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0 || tcgetattr(fd, &mode) != 0) {
    close(fd);
    return NoSerialPort;
  }
  cfmakeraw(&mode);
  mode.c_cflag |= CLOCAL | CREAD;
  mode.c_cflag &= ~CRTSCTS;
  mode.c_cc[VMIN] = 0;
  mode.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSANOW, &mode) != 0) {
    close(fd);
    return NoSerialPort;
  }
  tcflush(fd, TCIOFLUSH);
  AddOpenPort(fd);
  return fd;
}

bool SetSerialParameters(SerialPort port, int baud, int byteSize, int parity, int stopBits) {
  static constexpr tcflag_t Sizes[] = {CS5, CS6, CS7, CS8};
  const speed_t speed = SpeedOf(baud);
  termios mode{};
  if (!IsOpen(port) || speed == B0 || byteSize < 5 || byteSize > 8 || parity < 0 || parity > 4 ||
      (stopBits != 0 && stopBits != 2) || tcgetattr(port, &mode) != 0) {
    return false;
  }
  cfsetispeed(&mode, speed);
  cfsetospeed(&mode, speed);
  mode.c_cflag = (mode.c_cflag & ~CSIZE) | Sizes[byteSize - 5];
  mode.c_cflag &= ~(PARENB | PARODD | CMSPAR | CSTOPB);
  if (parity == 1 || parity == 3) mode.c_cflag |= PARENB | PARODD;  // odd, mark
  if (parity == 2 || parity == 4) mode.c_cflag |= PARENB;           // even, space
  if (parity >= 3) mode.c_cflag |= CMSPAR;                          // the parity bit fixed
  if (stopBits == 2) mode.c_cflag |= CSTOPB;
  // The system reports success when any part of a change took: read back what the port has.
  termios now{};
  constexpr tcflag_t Line = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
  return tcsetattr(port, TCSANOW, &mode) == 0 && tcgetattr(port, &now) == 0 &&
         cfgetospeed(&now) == speed && (now.c_cflag & Line) == (mode.c_cflag & Line);
}

bool SerialBytesWaiting(SerialPort port, int* inputCount, int* outputCount) {
  int in = 0, out = 0;
  if (!IsOpen(port) || ioctl(port, TIOCINQ, &in) != 0 || ioctl(port, TIOCOUTQ, &out) != 0)
    return false;
  // A device that has gone still answers the counts; the hang-up shows in poll.
  pollfd p{port, 0, 0};
  if (poll(&p, 1, 0) < 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL))) return false;
  if (inputCount) *inputCount = in;
  if (outputCount) *outputCount = out;
  return true;
}

bool ReadSerial(SerialPort port, void* buffer, size_t count, size_t* bytesRead) {
  size_t done = 0;
  bool ok = IsOpen(port) && (buffer || count == 0);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(SerialTimeoutMs);
  while (ok && done < count) {
    const Ready ready = WaitFor(port, POLLIN, deadline);
    if (ready == Ready::TimedOut) break;
    const ssize_t n =
        ready == Ready::Yes ? read(port, static_cast<char*>(buffer) + done, count - done) : -1;
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    } else {
      ok = false;  // end of file on a terminal, or an error: the device has gone
    }
  }
  if (bytesRead) *bytesRead = done;
  return ok;
}

bool WriteSerial(SerialPort port, const void* buffer, size_t count, size_t* bytesWritten) {
  size_t done = 0;
  bool ok = IsOpen(port) && (buffer || count == 0);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(SerialTimeoutMs);
  while (ok && done < count) {
    const Ready ready = WaitFor(port, POLLOUT, deadline);
    if (ready == Ready::TimedOut) {
      ok = false;  // the device takes nothing more
      break;
    }
    const ssize_t n = ready == Ready::Yes
                          ? write(port, static_cast<const char*>(buffer) + done, count - done)
                          : -1;
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (!(n < 0 && (errno == EAGAIN || errno == EINTR))) {
      ok = false;
    }
  }
  if (bytesWritten) *bytesWritten = done;
  return ok;
}

void CloseSerialPort(SerialPort port) {
  if (!TakeOpenPort(port)) return;
  close(port);  // the lock and the exclusive mode go with the descriptor
}

SerialPort OpenPseudoTerminal(std::string* devicePath) {
  const int fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return NoSerialPort;
  const char* name = grantpt(fd) == 0 && unlockpt(fd) == 0 ? ptsname(fd) : nullptr;
  if (!name) {
    close(fd);
    return NoSerialPort;
  }
  if (devicePath) *devicePath = name;
  AddOpenPort(fd);
  return fd;
}

}  // namespace qv
