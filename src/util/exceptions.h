#pragma once
// The installer's exceptions carry one user-readable message; the application object
// shows it in a box captioned with the application title.
#include <exception>
#include <string>

namespace tarnwick {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

// A platform call failed; the message is the system's text for the failure.
class EOSError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace tarnwick
