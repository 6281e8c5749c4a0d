#pragma once
// The errors the core raises. what() is the text the user sees, unchanged.
#include <stdexcept>
#include <string>

namespace varmelo {

// A failing file operation: "File not found", "File access denied",
// "Read beyond end of file", "Disk full", "A folder of that name is in the way", "I/O error %d".
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Content that a loader cannot make sense of ("Invalid DDS file", ...).
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An operation the current archive does not allow, or a bad argument from the user
// (an unsafe extraction name, an entry that does not exist, ...).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kFileNotFound = "File not found";
inline constexpr const char* kAccessDenied = "File access denied";
inline constexpr const char* kReadBeyondEnd = "Read beyond end of file";
inline constexpr const char* kDiskFull = "Disk full";
inline constexpr const char* kIsFolder = "A folder of that name is in the way";

// Maps an errno value to the program's error text and throws it.
[[noreturn]] void throwErrno(int err);
[[noreturn]] void throwReadBeyondEnd();

std::string errnoText(int err);

}  // namespace varmelo
