// platform/result.h - the result codes every operation of the program returns.
// Callers that own the user's request turn a failure into a message; nothing throws across
// folders.
#pragma once

namespace qv {

enum Result : int {
  ResultOk = 1,
  ResultFailed = 0,
  ResultNoMemory = -2,   // out of memory or too many objects
  ResultOpenError = -3,  // file cannot be opened
  ResultReadError = -5,  // read error, damaged data or end of input
  ResultWriteError = -6,
  ResultNotFound = -7,
  ResultCancelled = -8,  // the user cancelled
};

}  // namespace qv
