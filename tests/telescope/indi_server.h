// A real INDI server with the telescope simulator of Debian's indi-bin, on a free port of this
// machine, for driving the INDI client through its network traffic. The server keeps its
// configuration in a folder of its own, never the user's.
#pragma once

#include <string>

namespace qv {

class IndiServer {
 public:
  IndiServer();   // started; Port() is 0 when it did not come up
  ~IndiServer();  // stopped, if still running
  IndiServer(const IndiServer&) = delete;
  IndiServer& operator=(const IndiServer&) = delete;

  static bool Installed();  // indiserver and the telescope simulator are there
  int Port() const { return port; }
  void Kill();              // at once, as a crash would
  std::string Log() const;  // what the server printed, to explain a failed test
  // Property: the server's value of "Device.PROPERTY.ELEMENT", read with indi_getprop.
  std::string Property(const std::string& name) const;
  // SetProperty: "Device.PROPERTY.ELEMENT=value", sent with indi_setprop as another client would.
  void SetProperty(const std::string& assignment) const;

 private:
  void Start();

  int port = 0;
  std::string pid, home;
};

}  // namespace qv
