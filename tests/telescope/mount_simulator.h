// A simulated Meade-protocol mount on a pseudo-terminal, for driving the real driver through
// the platform's serial calls. It answers on a thread of its own, as a mount would while the
// program waits, and logs every byte it receives.
//
// It keeps a position of date (seconds of time, arcseconds) and a target; ":MS#" and ":CM#"
// move the position to the target at once. Switches make it answer as the different handsets
// and faulty links do.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "platform/serial.h"

namespace qv {

struct MountSimulatorOptions {
  bool highPrecision = false;      // "HH:MM:SS#" and "sDD*MM:SS#" instead of "HH:MM.T#", "sDD*MM#"
  char degreeSeparator = '*';      // or ':' or '\xDF' (byte 223, the handset's degree sign)
  bool noTerminator = false;       // text replies without their "#"
  int replyDelayMs = 0;            // every reply this late
  int silentAfter = -1;            // commands answered before it falls silent; -1 never
  char slewReply = '0';            // ":MS#": "0" slews, "1" below the horizon, "2" out of reach
  bool rejectTarget = false;       // ":Sr" and ":Sd" answer "0"
  char alignmentMode = 'P';        // the answer to ACK
  std::string declinationReply{};  // when set, ":GD#" answers exactly this
};

class MountSimulator {
 public:
  explicit MountSimulator(const MountSimulatorOptions& options = {});
  ~MountSimulator();
  MountSimulator(const MountSimulator&) = delete;
  MountSimulator& operator=(const MountSimulator&) = delete;

  int PortNumber() const { return portNumber; }  // in the serial port list
  // Received: every byte so far, once there are at least count (or a second has passed).
  std::string Received(size_t count = 0);
  void ClearReceived();
  void SetPosition(int raSeconds, int decArcseconds);  // equator of date
  int RaSeconds();
  int DecArcseconds();
  void Change(const MountSimulatorOptions& options);

 private:
  void Run();
  void Take(char byte);
  std::string Answer(const std::string& command);
  void Reply(const std::string& reply);
  std::string RaText() const;
  std::string DecText() const;

  SerialPort device = NoSerialPort;
  int portNumber = 0;
  std::mutex lock;  // everything below
  MountSimulatorOptions options;
  std::string received, pending;
  int answered = 0;
  int raSeconds = 0, decArcseconds = 0;
  int targetRa = 0, targetDec = 0;
  std::atomic<bool> stopping{false};
  std::thread thread;
};

}  // namespace qv
