// qv/session.h - what the subcommands of qv share: the platform without a display, alerts on
// standard error with the safe answer, the database, the settings and the chart's time, and
// the exit codes.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "astro/time.h"
#include "objects/records.h"
#include "platform/alert.h"
#include "qv/arguments.h"

namespace qv {

// QvOutput: where a run writes; main() passes standard output and standard error.
using QvWrite = std::function<void(std::string_view)>;
struct QvOutput {
  QvWrite out;
  QvWrite err;
};

// QvText: a printf-formatted line of output (any length).
std::string QvText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Exit codes: 0 success, 1 a user error (bad arguments, an unknown object, a bad date, nothing
// to do), 2 a file error (cannot open, read or write; no memory).
enum QvExitCode : int { QvSuccess = 0, QvUserError = 1, QvFileError = 2 };
int ExitCodeOf(int result);  // of a Result code

// The Julian dates qv accepts: those of the chart (astro/time.h).
constexpr JulianDate QvEarliestDate = EarliestChartDate;
constexpr JulianDate QvLatestDate = LatestChartDate;

// FindQvObject: the object whose name matches exactly (any case), else the one that carries the
// name as a designation written another way, else the first whose name contains the words;
// note 523 when none does.
ObjectRecord* FindQvObject(const std::string& name);

// QvSession: lives for one run of a subcommand. On creation the platform starts without a
// display and every alert goes to err as "qv: message", answered with the safe answer (OK when
// it is the only button, else Cancel) unless Answer chose another for that message. On
// destruction the database files that could not be read are reported (257, 258), the database
// is closed (writing what changed) and the alert presenter restored.
class QvSession {
 public:
  explicit QvSession(const QvOutput& output);
  ~QvSession();
  QvSession(const QvSession&) = delete;
  QvSession& operator=(const QvSession&) = delete;

  void Answer(int stringNumber, int answer) { answers_[stringNumber] = answer; }
  bool WasShown(int stringNumber) const { return shown_.count(stringNumber) > 0; }
  void ForgetShown() { shown_.clear(); }
  // Fail: a message of qv's own on err, and the exit code.
  int Fail(int exitCode, const std::string& message) const;

  // IndexPath: the index of --database DIR ("DIR/Index.qvd", or DIR itself when it is a file),
  // else "Database/Index.qvd" beside the program.
  std::string IndexPath(const QvArguments& args) const;
  // OpenDatabase: opens IndexPath; a Result code, after 257 when there is no such file.
  int OpenDatabase(const QvArguments& args);

  // LoadSettings: the built-in defaults, "Quorvane.ini" beside the program when it exists, the
  // present time (as the program does at start-up), --settings FILE, then --jd or --date (local
  // time in the settings' zone). The sky context is brought up to date. A Result code; a
  // settings file naming an object the database lacks fails (523) rather than draw another sky.
  int LoadSettings(const QvArguments& args);

  // OpenSky: OpenDatabase, then LoadSettings: what a command that computes positions needs.
  int OpenSky(const QvArguments& args);

  // ReadChartSize: --size WIDTHxHEIGHT (each 64 to 16384 pixels), or 1600x1000 without it; false
  // after a message.
  bool ReadChartSize(const QvArguments& args, int& width, int& height) const;

  // ParseLocalDate: a date-and-time text in the settings' time zone and calendar as a UT Julian
  // date within QvEarliestDate..QvLatestDate; message 525 (or one of qv's own) when it is not.
  bool ParseLocalDate(const std::string& text, JulianDate& jd) const;

  // UsedUnreadableFiles: whether the last session that ended had database files it could not
  // read: its command's result is then a file error, whatever else it did.
  static bool UsedUnreadableFiles();

 private:
  int SetTime(const QvArguments& args);

  QvOutput output_;
  AlertPresenter previousPresenter_;
  std::map<int, int> answers_;
  std::set<int> shown_;
};

}  // namespace qv
