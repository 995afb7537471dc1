// telescope/encoder_box.cpp - the encoder box driver.
#include "telescope/encoder_box.h"

#include <charconv>
#include <cmath>
#include <string>

#include "platform/result.h"
#include "telescope/link.h"
#include "telescope/serial_exchange.h"

namespace qv {
namespace {

constexpr int BaudRate = 9600;
constexpr size_t ReplyBytes = 79;
constexpr int GreetingMost = 999;

bool Exchange(TelescopeLink& link, std::string_view command, std::string& reply) {
  reply.clear();
  ExchangeStatus status = DiscardInput(link.port);
  if (status == ExchangeStatus::Ok) status = SendBytes(link.port, command);
  if (status == ExchangeStatus::Ok)
    status = CollectReply(link.port, reply, ReplyBytes, "\r", ReplyTimeoutMs);
  return ReportExchange(status);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

// ReadNumber: a decimal number (a "+" allowed) at the start of text, then a blank or the end;
// the text after it. Infinities and NaN are not counts.
bool ReadNumber(std::string_view& text, double& value) {
  text = SkipBlanks(text);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  double read = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), read, std::chars_format::general);
  if (error != std::errc() || !std::isfinite(read)) return false;
  text.remove_prefix(size_t(end - text.data()));
  if (!text.empty() && !IsBlank(text.front())) return false;
  value = read;
  return true;
}

// Greet: "P" answers with a number 0-999.
bool Greet(TelescopeLink& link) {
  std::string reply;
  int greeting = 0;
  if (!Exchange(link, "P", reply)) return false;
  return ReadEncoderGreeting(reply, greeting) || ReportExchange(ExchangeStatus::BadReply);
}

int Open(TelescopeLink& link) { return OpenSerialLink(link, BaudRate, Greet); }

int ReadCounts(TelescopeLink& link, double& lonCount, double& latCount) {
  std::string reply;
  double first = 0, second = 0;
  if (!Exchange(link, "Q", reply)) return ResultFailed;
  if (!ReadEncoderCounts(reply, first, second)) {
    ReportExchange(ExchangeStatus::BadReply);
    return ResultFailed;
  }
  const bool swapped = link.options.TelescopeEncodersSwapped;
  lonCount = swapped ? second : first;
  latCount = swapped ? first : second;
  return ResultOk;
}

}  // namespace

const TelescopeDriver EncoderBoxDriver = {
    .equatorOfDate = false,
    .open = Open,
    .close = CloseSerialLink,
    .readCounts = ReadCounts,
};

bool ReadEncoderGreeting(std::string_view reply, int& value) {
  std::string_view text = SkipBlanks(reply);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int read = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
  if (error != std::errc() || read < 0 || read > GreetingMost) return false;
  text.remove_prefix(size_t(end - text.data()));
  if (!SkipBlanks(text).empty()) return false;
  value = read;
  return true;
}

bool ReadEncoderCounts(std::string_view reply, double& first, double& second) {
  std::string_view text = reply;
  double a = 0, b = 0;
  if (!ReadNumber(text, a) || !ReadNumber(text, b) || !SkipBlanks(text).empty()) return false;
  first = a;
  second = b;
  return true;
}

}  // namespace qv
