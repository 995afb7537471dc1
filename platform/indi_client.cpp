// platform/indi_client.cpp - the INDI client on libindi's BaseClient.
#include "platform/indi_client.h"

#include <baseclient.h>
#include <basedevice.h>
#include <indiproperty.h>
#include <indipropertynumber.h>
#include <indipropertyswitch.h>
#include <indipropertytext.h>
#include <signal.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace qv {
namespace {

constexpr uint16_t TelescopeInterfaceBit = 1;  // DRIVER_INTERFACE: the device is a telescope

// What the caller needs of the server, written by the library's thread and read by the caller's.
struct Snapshot {
  bool serverUp = false;
  std::string device;  // named, or the first telescope found
  bool devicePresent = false, deviceConnected = false;
  bool hasPosition = false, canTrack = false;
  bool positionUpdated = false;  // sent as it changed, not only as first defined
  double raHours = 0, decDegrees = 0, elevation = 0;
};

class Client : public INDI::BaseClient {
 public:
  explicit Client(const std::string& device) { snapshot.device = device; }

  // Wait: until ready(snapshot) holds or timeoutMs pass; what ready said last.
  template <typename Ready>
  bool Wait(int timeoutMs, Ready ready) {
    std::unique_lock<std::mutex> hold(lock);
    return changed.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] {
      return ready(snapshot) || !snapshot.serverUp;
    }) && ready(snapshot);
  }
  Snapshot Read() {
    std::lock_guard<std::mutex> hold(lock);
    return snapshot;
  }
  void MarkServerUp() {
    std::lock_guard<std::mutex> hold(lock);
    snapshot.serverUp = true;
  }

 protected:
  using INDI::BaseClient::newProperty;
  using INDI::BaseClient::removeDevice;
  using INDI::BaseClient::updateProperty;
  void newProperty(INDI::Property property) override { Record(property, false); }
  void updateProperty(INDI::Property property) override { Record(property, true); }
  void removeDevice(INDI::BaseDevice device) override {
    {
      std::lock_guard<std::mutex> hold(lock);
      if (device.getDeviceName() && snapshot.device == device.getDeviceName())
        snapshot.devicePresent = snapshot.deviceConnected = false;
    }
    changed.notify_all();
  }
  void serverDisconnected(int) override {
    {
      std::lock_guard<std::mutex> hold(lock);
      snapshot.serverUp = false;
    }
    changed.notify_all();
  }

 private:
  // Record: on the library's thread.
  void Record(INDI::Property property, bool update) {
    {
      std::lock_guard<std::mutex> hold(lock);
      Take(property, update);
    }
    changed.notify_all();
  }
  void Take(INDI::Property property, bool update) {
    const std::string name = property.getName() ? property.getName() : "";
    const char* device = property.getDeviceName();
    if (!device) return;
    if (snapshot.device.empty() && name == "DRIVER_INFO") {
      INDI::PropertyText info(property);
      const auto* kind = info.findWidgetByName("DRIVER_INTERFACE");
      if (kind && kind->getText() && (std::atoi(kind->getText()) & TelescopeInterfaceBit))
        snapshot.device = device;
    }
    if (snapshot.device != device) return;
    snapshot.devicePresent = true;
    if (name == "CONNECTION") {
      INDI::PropertySwitch connection(property);
      const auto* on = connection.findWidgetByName("CONNECT");
      snapshot.deviceConnected = on && on->getState() == ISS_ON;
    } else if (name == "EQUATORIAL_EOD_COORD") {
      INDI::PropertyNumber coordinates(property);
      const auto* ra = coordinates.findWidgetByName("RA");
      const auto* dec = coordinates.findWidgetByName("DEC");
      if (ra && dec) {
        snapshot.raHours = ra->getValue();
        snapshot.decDegrees = dec->getValue();
        snapshot.hasPosition = true;
        snapshot.positionUpdated = snapshot.positionUpdated || update;
      }
    } else if (name == "ON_COORD_SET") {
      INDI::PropertySwitch set(property);
      snapshot.canTrack = set.findWidgetByName("TRACK") != nullptr;
    } else if (name == "GEOGRAPHIC_COORD") {
      INDI::PropertyNumber site(property);
      if (const auto* elevation = site.findWidgetByName("ELEV"))
        snapshot.elevation = elevation->getValue();
    }
  }

  std::mutex lock;
  std::condition_variable changed;
  Snapshot snapshot;
};

std::mutex connectionsLock;
std::map<IndiConnection, std::unique_ptr<Client>> connections;
IndiConnection nextConnection = 1;

Client* Find(IndiConnection connection) {
  std::lock_guard<std::mutex> hold(connectionsLock);
  const auto found = connections.find(connection);
  return found == connections.end() ? nullptr : found->second.get();
}

// A live client: found, with its server still there.
Client* Live(IndiConnection connection) {
  Client* client = Find(connection);
  return client && client->Read().serverUp ? client : nullptr;
}

using NumberValues = std::vector<std::pair<const char*, double>>;
using SwitchStates = std::vector<std::pair<const char*, bool>>;

void SendNumbers(Client& client, const std::string& device, const char* name,
                 const NumberValues& values) {
  INDI::PropertyNumber property(values.size());
  property.setDeviceName(device.c_str());
  property.setName(name);
  for (size_t i = 0; i < values.size(); ++i) {
    property[i].setName(values[i].first);
    property[i].setValue(values[i].second);
  }
  client.sendNewNumber(property);
}

void SendSwitches(Client& client, const std::string& device, const char* name,
                  const SwitchStates& states) {
  INDI::PropertySwitch property(states.size());
  property.setDeviceName(device.c_str());
  property.setName(name);
  for (size_t i = 0; i < states.size(); ++i) {
    property[i].setName(states[i].first);
    property[i].setState(states[i].second ? ISS_ON : ISS_OFF);
  }
  client.sendNewSwitch(property);
}

}  // namespace

IndiConnection OpenIndiConnection(const std::string& host, int port, const std::string& device,
                                  int timeoutMs, IndiOpenResult* result) {
  // A server that goes away leaves a socket whose writes would raise SIGPIPE and end the
  // program; the write's error is what is wanted.
  signal(SIGPIPE, SIG_IGN);
  auto client = std::make_unique<Client>(device);
  client->setServer(host.c_str(), unsigned(port));
  client->setConnectionTimeout(uint32_t(timeoutMs / 1000), uint32_t(timeoutMs % 1000) * 1000);
  if (!device.empty()) client->watchDevice(device.c_str());
  *result = IndiOpenResult::NoServer;
  if (!client->connectServer()) return NoIndiConnection;
  client->MarkServerUp();
  *result = IndiOpenResult::NoDevice;
  const auto start = std::chrono::steady_clock::now();
  const auto left = [&] {
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    return std::max(0, timeoutMs - int(spent.count()));
  };
  if (!client->Wait(left(), [](const Snapshot& s) { return s.devicePresent; })) {
    client->disconnectServer();
    return NoIndiConnection;
  }
  // A device connected here first defines its position with no value yet: wait for the value.
  const Snapshot found = client->Read();
  const bool fresh = !found.deviceConnected;
  if (fresh) client->connectDevice(found.device.c_str());
  if (!client->Wait(left(), [fresh](const Snapshot& s) {
        return s.deviceConnected && (fresh ? s.positionUpdated : s.hasPosition);
      })) {
    client->disconnectServer();
    return NoIndiConnection;
  }
  *result = IndiOpenResult::Ok;
  std::lock_guard<std::mutex> hold(connectionsLock);
  connections[nextConnection] = std::move(client);
  return nextConnection++;
}

void CloseIndiConnection(IndiConnection connection) {
  std::unique_ptr<Client> client;
  {
    std::lock_guard<std::mutex> hold(connectionsLock);
    const auto found = connections.find(connection);
    if (found == connections.end()) return;
    client = std::move(found->second);
    connections.erase(found);
  }
  client->disconnectServer();
}

bool IndiServerConnected(IndiConnection connection) { return Live(connection) != nullptr; }

std::string IndiDeviceName(IndiConnection connection) {
  Client* client = Find(connection);
  return client ? client->Read().device : std::string();
}

bool ReadIndiPosition(IndiConnection connection, double& raHours, double& decDegrees) {
  Client* client = Find(connection);
  if (!client) return false;
  const Snapshot s = client->Read();
  if (!s.serverUp || !s.deviceConnected) return false;
  raHours = s.raHours;
  decDegrees = s.decDegrees;
  return true;
}

bool SendIndiCoordinates(IndiConnection connection, IndiCoordinateAction action, double raHours,
                         double decDegrees) {
  Client* client = Live(connection);
  if (!client) return false;
  const Snapshot s = client->Read();
  const char* mode = action == IndiCoordinateAction::Sync ? "SYNC" : s.canTrack ? "TRACK" : "SLEW";
  SendSwitches(*client, s.device, "ON_COORD_SET", {{mode, true}});
  SendNumbers(*client, s.device, "EQUATORIAL_EOD_COORD", {{"RA", raHours}, {"DEC", decDegrees}});
  return true;
}

bool SendIndiAbort(IndiConnection connection) {
  Client* client = Live(connection);
  if (!client) return false;
  SendSwitches(*client, client->Read().device, "TELESCOPE_ABORT_MOTION", {{"ABORT", true}});
  return true;
}

bool SendIndiMotion(IndiConnection connection, IndiAxis axis, int sense) {
  Client* client = Live(connection);
  if (!client) return false;
  const bool northSouth = axis == IndiAxis::NorthSouth;
  SendSwitches(*client, client->Read().device,
               northSouth ? "TELESCOPE_MOTION_NS" : "TELESCOPE_MOTION_WE",
               {{northSouth ? "MOTION_NORTH" : "MOTION_WEST", sense < 0},
                {northSouth ? "MOTION_SOUTH" : "MOTION_EAST", sense > 0}});
  return true;
}

bool SendIndiSite(IndiConnection connection, double latitudeDegrees, double longitudeDegrees) {
  Client* client = Live(connection);
  if (!client) return false;
  const Snapshot s = client->Read();
  SendNumbers(*client, s.device, "GEOGRAPHIC_COORD",
              {{"LAT", latitudeDegrees}, {"LONG", longitudeDegrees}, {"ELEV", s.elevation}});
  return true;
}

bool SendIndiTime(IndiConnection connection, const std::string& utc, double offsetHours) {
  Client* client = Live(connection);
  if (!client) return false;
  char offset[32];
  std::snprintf(offset, sizeof offset, "%.2f", offsetHours);
  INDI::PropertyText property(2);
  property.setDeviceName(client->Read().device.c_str());
  property.setName("TIME_UTC");
  property[0].setName("UTC");
  property[0].setText(utc);
  property[1].setName("OFFSET");
  property[1].setText(offset);
  client->sendNewText(property);
  return true;
}

}  // namespace qv
