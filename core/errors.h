#pragma once
// Errors a handler may raise. Whoever dispatches a user action catches them and
// shows the message in the default error box; the program goes on.

#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// A strict conversion (StrToInt, StrToFloat, EncodeDate) refused its input.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A file could not be written.
class EFCreateError : public Exception {
 public:
  using Exception::Exception;
};
