#pragma once
// What every fuzz target shares: the input as a file for the readers that open paths, and the
// rule that bad bytes may only end in one of the program's own errors.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace varmelo::fuzz {

// A path in this process's own temporary folder (removed at exit) named `name`.
std::string scratchPath(const std::string& name);

// Writes the bytes to scratchPath(name) and returns that path.
std::string writeScratch(const std::string& name, const uint8_t* data, size_t size);

// Runs `step`; the program's errors (FileError, FormatError, UsageError, MaskError: all
// runtime_error) are the expected answer to bad bytes. Anything else - a logic_error from an
// index out of range, a length_error from a wild count - escapes and counts as a finding.
template <class Step>
void expectCleanErrors(Step&& step) {
    try {
        step();
    } catch (const std::runtime_error&) {
    }
}

}  // namespace varmelo::fuzz
