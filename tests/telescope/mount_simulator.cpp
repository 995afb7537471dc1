// The simulated mount: the thread, the framing of commands, and the Meade answers.
#include "tests/telescope/mount_simulator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qv {
namespace {

void Sleep(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string Printed(const char* format, int a, int b, int c, int d = 0, int e = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b, c, d, e);
  return text;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

template <typename T>
T Locked(std::mutex& lock, const T& value) {
  std::lock_guard<std::mutex> hold(lock);
  return value;
}

}  // namespace

MountSimulator::MountSimulator(const MountSimulatorOptions& given) : options(given) {
  std::string path;
  device = OpenPseudoTerminal(&path);
  if (device == NoSerialPort) std::abort();  // the tests cannot run without one
  portNumber = AddSerialPortPath(path);
  thread = std::thread([this] { Run(); });
}

MountSimulator::~MountSimulator() {
  stopping = true;
  thread.join();
  CloseSerialPort(device);
}

std::string MountSimulator::Received(size_t count) {
  for (int waited = 0;; ++waited) {
    {
      std::lock_guard<std::mutex> hold(lock);
      if (received.size() >= count || waited == 1000) return received;
    }
    Sleep(1);
  }
}

void MountSimulator::ClearReceived() {
  std::lock_guard<std::mutex> hold(lock);
  received.clear();
}

void MountSimulator::SetPosition(int ra, int dec) {
  std::lock_guard<std::mutex> hold(lock);
  raSeconds = ra;
  decArcseconds = dec;
}

int MountSimulator::RaSeconds() { return Locked(lock, raSeconds); }

int MountSimulator::DecArcseconds() { return Locked(lock, decArcseconds); }

void MountSimulator::SetBinaryPosition(uint16_t ra, uint16_t dec) {
  std::lock_guard<std::mutex> hold(lock);
  binaryRa = ra;
  binaryDec = dec;
}

uint16_t MountSimulator::BinaryRa() { return Locked(lock, binaryRa); }

uint16_t MountSimulator::BinaryDec() { return Locked(lock, binaryDec); }

void MountSimulator::SetCounts(long lon, long lat) {
  std::lock_guard<std::mutex> hold(lock);
  lonCount = lon;
  latCount = lat;
}

void MountSimulator::StartSlew() {
  std::lock_guard<std::mutex> hold(lock);
  binaryTargetRa = binaryRa;
  binaryTargetDec = binaryDec;
  slewing = true;
}

void MountSimulator::FinishSlew(char endByte) {
  {
    std::lock_guard<std::mutex> hold(lock);
    binaryRa = binaryTargetRa;
    binaryDec = binaryTargetDec;
    slewing = false;
  }
  Reply(std::string(1, endByte), 0);
}

void MountSimulator::Change(const MountSimulatorOptions& given) {
  std::lock_guard<std::mutex> hold(lock);
  options = given;
}

void MountSimulator::Run() {
  while (!stopping) {
    int waiting = 0;
    // No program side open yet (or no longer) reads as a failure: wait for one.
    if (!SerialBytesWaiting(device, &waiting, nullptr) || waiting == 0) {
      Sleep(1);
      continue;
    }
    char byte = 0;
    size_t got = 0;
    if (ReadSerial(device, &byte, 1, &got) && got == 1) Take(byte);
  }
}

bool MountSimulator::Complete(char byte) {
  switch (options.protocol) {
    case MountProtocol::Meade:
      if (pending.empty() && byte == 0x06) {
        pending = "\x06";
        return true;
      }
      if (pending.empty() && byte != ':') return false;  // noise between commands
      pending.push_back(byte);
      return byte == '#';
    case MountProtocol::Ultima:
      pending.push_back(byte);
      return byte == '#';
    case MountProtocol::NexStar:
      if (pending.empty() && byte != '?' && byte != 'E' && byte != 'R') return false;
      pending.push_back(byte);
      return pending[0] != 'R' || pending.size() == 5;
    case MountProtocol::EncoderBox:
      pending.assign(1, byte);
      return byte == 'P' || byte == 'Q';
    case MountProtocol::LineCommand:
      pending.push_back(byte);
      return byte == '\r';
  }
  return false;
}

void MountSimulator::Take(char byte) {
  std::string reply;
  int delayMs = 0, lineDelayMs = 0;
  {
    std::lock_guard<std::mutex> hold(lock);
    received.push_back(byte);
    if (!Complete(byte)) return;
    const bool silent = (options.silentAfter >= 0 && answered >= options.silentAfter) || slewing;
    ++answered;
    if (!silent) {
      reply = Answer(pending);
      if (options.echo) reply.insert(0, pending);
    }
    pending.clear();
    delayMs = options.replyDelayMs;
    lineDelayMs = options.lineDelayMs;
  }
  if (reply.empty()) return;
  if (delayMs > 0) Sleep(delayMs);
  Reply(reply, lineDelayMs);
}

// Reply: the bytes, in lines with a pause between them when asked.
void MountSimulator::Reply(const std::string& reply, int lineDelayMs) {
  size_t from = 0;
  while (from < reply.size()) {
    const size_t end =
        lineDelayMs > 0 ? std::min(reply.find('\n', from), reply.size() - 1) + 1 : reply.size();
    if (from > 0) Sleep(lineDelayMs);
    size_t written = 0;
    WriteSerial(device, reply.data() + from, end - from, &written);
    from = end;
  }
}

std::string MountSimulator::RaText() const {
  const int h = raSeconds / 3600, m = raSeconds / 60 % 60, s = raSeconds % 60;
  return options.highPrecision ? Printed("%02d:%02d:%02d#", h, m, s)
                               : Printed("%02d:%02d.%d#", h, m, s / 6);
}

std::string MountSimulator::DecText() const {
  const int a = std::abs(decArcseconds);
  const int sign = decArcseconds < 0 ? '-' : '+';
  const int separator = static_cast<unsigned char>(options.degreeSeparator);
  return options.highPrecision
             ? Printed("%c%02d%c%02d:%02d#", sign, a / 3600, separator, a / 60 % 60, a % 60)
             : Printed("%c%02d%c%02d#", sign, a / 3600, separator, a / 60 % 60);
}

// The reply to one whole command ("" for none). Called with the lock held.
std::string MountSimulator::Answer(const std::string& command) {
  switch (options.protocol) {
    case MountProtocol::Meade:
      return MeadeAnswer(command);
    case MountProtocol::Ultima:
      return UltimaAnswer(command);
    case MountProtocol::NexStar:
      return NexStarAnswer(command);
    case MountProtocol::EncoderBox:
      return EncoderAnswer(command);
    case MountProtocol::LineCommand:
      return LineAnswer(command);
  }
  return "";
}

std::string MountSimulator::MeadeAnswer(const std::string& command) {
  std::string text;  // a "#"-terminated text reply
  if (command == "\x06") return std::string(1, options.alignmentMode);
  if (command == ":GR#") {
    text = RaText();
  } else if (command == ":GD#") {
    if (!options.declinationReply.empty()) return options.declinationReply;
    text = DecText();
  } else if (StartsWith(command, ":Sr")) {
    int h = 0, m = 0, t = 0;
    if (options.rejectTarget || std::sscanf(command.c_str(), ":Sr %d:%d.%d#", &h, &m, &t) != 3)
      return "0";
    targetRa = h * 3600 + m * 60 + t * 6;
    return "1";
  } else if (StartsWith(command, ":Sd")) {
    char sign = '+';
    int d = 0, m = 0;
    if (options.rejectTarget || std::sscanf(command.c_str(), ":Sd %c%d*%d#", &sign, &d, &m) != 3)
      return "0";
    targetDec = (sign == '-' ? -1 : 1) * (d * 3600 + m * 60);
    return "1";
  } else if (command == ":MS#") {
    if (options.slewReply == '1') return "1Object Below Horizon #";
    if (options.slewReply == '2') return "2Object Below Higher#";
    raSeconds = targetRa;
    decArcseconds = targetDec;
    return std::string(1, options.slewReply);
  } else if (command == ":CM#") {
    raSeconds = targetRa;
    decArcseconds = targetDec;
    text = " M31 EX GAL MAG 3.5 SZ178.0'#";
  } else if (StartsWith(command, ":SC")) {
    text = "1Updating Planetary Data#                              #";
  } else if (StartsWith(command, ":SG") || StartsWith(command, ":SL") ||
             StartsWith(command, ":St") || StartsWith(command, ":Sg")) {
    return "1";
  } else {
    return "";  // moves, stops and rates answer nothing
  }
  if (options.noTerminator) std::erase(text, '#');
  return text;
}

}  // namespace qv
