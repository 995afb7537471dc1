// platform/serial.h - serial ports: the list of the machine's ports, opening one by its number
// in the list, its line parameters, and moving bytes. The telescope links are the users.
// Plain types; no system header here.
//
// Ports are numbered from 1 in the order of the list, which is made on first use and kept for
// the run: the serial devices that exist, /dev/ttyS* (those with a UART behind them), then
// /dev/ttyUSB* and /dev/ttyACM*, each group by number. Opening a port is exclusive. Reads and
// writes never wait longer than SerialTimeoutMs; a device that goes away (an adapter pulled
// out) makes them fail. Every call reports failure by its result; the caller shows the message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

using SerialPort = int;
constexpr SerialPort NoSerialPort = -1;
constexpr int SerialTimeoutMs = 1000;

int SerialPortCount();
// SerialPortName: the device path of port number (1-based); empty below 1 or beyond the list.
std::string SerialPortName(int number);

// OpenSerialPort: opens the port for reading and writing, exclusively (another open of it, by
// this program or another, fails until it is closed), in raw mode: bytes pass unchanged, no
// echo, no modem control. The queue sizes are the driver's own here and are accepted only.
// NoSerialPort on failure.
SerialPort OpenSerialPort(int number, int inputQueue, int outputQueue);

// SetSerialParameters: changes only these four. baud: a standard rate (50 ... 4000000);
// byteSize 5-8; parity 0 none, 1 odd, 2 even, 3 mark, 4 space; stopBits 0 one, 2 two
// (1, one and a half, is not available here). false for values the port cannot take.
bool SetSerialParameters(SerialPort port, int baud, int byteSize, int parity, int stopBits);

// SerialBytesWaiting: the bytes waiting to be read and still to be sent (either output may be
// null); false when the port is not open or its device has gone.
bool SerialBytesWaiting(SerialPort port, int* inputCount, int* outputCount);

// ReadSerial: reads up to count bytes, waiting at most SerialTimeoutMs for them; fewer arrive
// when the time runs out. false, with bytesRead what did arrive, when the device has gone or
// the port is not open. WriteSerial likewise sends count bytes.
bool ReadSerial(SerialPort port, void* buffer, size_t count, size_t* bytesRead);
bool WriteSerial(SerialPort port, const void* buffer, size_t count, size_t* bytesWritten);

void CloseSerialPort(SerialPort port);

// For tests and simulated devices. AddSerialPortPath appends a device to the list and returns
// its number (1-based). OpenPseudoTerminal opens a new pseudo-terminal and returns its
// controlling side as a port (ReadSerial and WriteSerial work on it; closing it makes the
// device vanish), with the device path for AddSerialPortPath.
int AddSerialPortPath(std::string_view path);
SerialPort OpenPseudoTerminal(std::string* devicePath);

}  // namespace qv
