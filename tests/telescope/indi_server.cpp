// The INDI server of the tests, run through the shell.
#include "tests/telescope/indi_server.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace qv {
namespace {

// Output: what a shell command prints, without its last line feed.
std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// Answering: the server is up and its telescope has defined its connection switch, so a client
// connecting now finds the device (a listening socket alone may come before the driver).
bool Answering(int port) {
  return !Output("indi_getprop -1 -t 1 -p " + std::to_string(port) +
                 " 'Telescope Simulator.CONNECTION.CONNECT' 2>/dev/null")
              .empty();
}

}  // namespace

bool IndiServer::Installed() {
  return std::system(
             "command -v indiserver >/dev/null && "
             "command -v indi_simulator_telescope >/dev/null") == 0;
}

IndiServer::IndiServer() {
  // A port found free may be taken again before the server binds it: then another one.
  for (int attempt = 0; attempt < 3 && port == 0; ++attempt) Start();
}

void IndiServer::Start() {
  const std::string free = Output(
      "/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind((\"127.0.0.1\", 0)); "
      "print(s.getsockname()[1])'");
  const int wanted = std::atoi(free.c_str());
  if (wanted <= 0) return;
  home = (std::filesystem::temp_directory_path() / ("quorvane-indi-" + free)).string();
  std::filesystem::create_directories(home);
  pid = Output("cd '" + home + "' && HOME='" + home + "' indiserver -p " + free +
               " indi_simulator_telescope >server.log 2>&1 & echo $!");
  // A loaded machine may take seconds to start the server.
  for (int i = 0; i < 100 && !pid.empty(); ++i) {
    if (Answering(wanted)) {
      port = wanted;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  Kill();
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
}

IndiServer::~IndiServer() {
  Kill();
  std::error_code ignored;
  if (!home.empty()) std::filesystem::remove_all(home, ignored);
}

void IndiServer::Kill() {
  if (pid.empty()) return;
  // The simulator is the server's child; it would end on its own once the server has gone.
  std::system(("pkill -9 -P " + pid + "; kill -9 " + pid + " 2>/dev/null").c_str());
  pid.clear();
}

std::string IndiServer::Log() const {
  return home.empty() ? std::string() : Output("cat '" + home + "/server.log' 2>/dev/null");
}

std::string IndiServer::Property(const std::string& name) const {
  return Output("indi_getprop -1 -t 2 -p " + std::to_string(port) + " '" + name + "' 2>/dev/null");
}

void IndiServer::SetProperty(const std::string& assignment) const {
  std::system(
      ("indi_setprop -p " + std::to_string(port) + " '" + assignment + "' 2>/dev/null").c_str());
}

}  // namespace qv
