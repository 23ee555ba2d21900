// Test doubles describe each call they receive as one line, "Name(arg, arg, ...)", so a test
// can compare a whole sequence of calls with its arguments at once.
#ifndef VELKOR_TESTS_DOUBLES_CALL_LOG_H
#define VELKOR_TESTS_DOUBLES_CALL_LOG_H

#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

using CallLog = std::vector<std::string>;

namespace call_log_detail {

template <typename T>
void Put(std::ostringstream& out, const T& value) {
  if constexpr (std::is_pointer_v<T> || std::is_null_pointer_v<T>) {
    if (value == nullptr) {
      out << "null";
    } else {
      out << "ptr";
    }
  } else if constexpr (std::is_enum_v<T>) {
    out << static_cast<long long>(value);
  } else {
    out << value;
  }
}

}  // namespace call_log_detail

template <typename... Args>
std::string CallDescription(const char* name, const Args&... args) {
  std::ostringstream out;
  out << name << '(';
  [[maybe_unused]] const char* separator = "";
  ((out << separator, call_log_detail::Put(out, args), separator = ", "), ...);
  out << ')';
  return out.str();
}

#endif
