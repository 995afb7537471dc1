// A simulated mount on a pseudo-terminal, for driving the real drivers through the platform's
// serial calls. It answers on a thread of its own, as a mount would while the program waits,
// and logs every byte it receives. It speaks one protocol family:
//
//   Meade        a position of date (seconds of time, arcseconds) and a target; ":MS#" and
//                ":CM#" move the position to the target at once
//   Ultima       a position in binary angles; "R" and "F" move it at once
//   NexStar      a position in binary angles; "R" starts a slew during which the mount is silent
//                until FinishSlew sends the end-of-slew byte
//   EncoderBox   two encoder counts, reported by "Q"
//   LineCommand  a position in seconds of time and arcseconds; go to and sync move it at once
//
// Switches make it answer as the different handsets and faulty links do.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "platform/serial.h"

namespace qv {

enum class MountProtocol { Meade, Ultima, NexStar, EncoderBox, LineCommand };

struct MountSimulatorOptions {
  MountProtocol protocol = MountProtocol::Meade;
  bool highPrecision = false;      // "HH:MM:SS#" and "sDD*MM:SS#" instead of "HH:MM.T#", "sDD*MM#"
  char degreeSeparator = '*';      // or ':' or '\xDF' (byte 223, the handset's degree sign)
  bool noTerminator = false;       // text replies without their "#"
  int replyDelayMs = 0;            // every reply this late
  int silentAfter = -1;            // commands answered before it falls silent; -1 never
  char slewReply = '0';            // ":MS#": "0" slews, "1" below the horizon, "2" out of reach
  bool rejectTarget = false;       // ":Sr" and ":Sd" answer "0"
  char alignmentMode = 'P';        // the answer to ACK
  std::string declinationReply{};  // when set, ":GD#" answers exactly this
  bool echo = false;               // Ultima, NexStar: each command comes back before its answer
  bool decline = false;            // Ultima: answers end in "%"
  bool swapped = false;            // encoder box: the altitude/Dec. count first
  std::string greeting = "+0123";  // encoder box: the answer to "P", before its carriage return
  std::string openStatus = "00";   // line command: the fourth line of the answer to "D"
  std::string goToStatus = "00";   // line command: the answer to a go to ("00" moves)
  int lineDelayMs = 0;             // line command: the pause between the lines of an answer
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
  void SetBinaryPosition(uint16_t ra, uint16_t dec);
  uint16_t BinaryRa();
  uint16_t BinaryDec();
  void SetCounts(long lon,
                 long lat);  // the encoders of the azimuth (R.A.) and altitude (Dec.) axes
  // StartSlew: the NexStar falls silent as if slewing from its hand controller to the position
  // set. FinishSlew ends any slew at its target and sends the byte that says so.
  void StartSlew();
  void FinishSlew(char endByte);
  void Change(const MountSimulatorOptions& options);

 private:
  void Run();
  void Take(char byte);
  bool Complete(char byte);  // pending holds a whole command
  std::string Answer(const std::string& command);
  std::string MeadeAnswer(const std::string& command);
  std::string UltimaAnswer(const std::string& command);
  std::string NexStarAnswer(const std::string& command);
  std::string EncoderAnswer(const std::string& command);
  std::string LineAnswer(const std::string& command);
  void Reply(const std::string& reply, int lineDelayMs);
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
  uint16_t binaryRa = 0, binaryDec = 0, binaryTargetRa = 0, binaryTargetDec = 0;
  bool slewing = false;
  long lonCount = 0, latCount = 0;
  std::atomic<bool> stopping{false};
  std::thread thread;
};

}  // namespace qv
