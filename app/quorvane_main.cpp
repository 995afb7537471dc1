// app/quorvane_main.cpp - the Quorvane program: the platform's main loop with the application's
// event handler.
#include "app/application.h"

int main() {
  qv::InitPlatform();
  return qv::RunEventLoop(qv::ApplicationEventHandler);
}
