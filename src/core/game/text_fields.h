#pragma once
// The plain-text files of the game (.dat, .ide, carcols.dat): lines of fields separated by
// commas and/or blanks, "#" starting a comment, CR LF or LF line ends.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varmelo {

// The largest text file the game readers take in whole; the game's largest is far smaller.
inline constexpr uint64_t kMaxGameTextFile = 64ull << 20;

// The whole file; FileError as the io layer words it, "File too large" past kMaxGameTextFile.
std::string readGameTextFile(const std::string& path);

// Walks the lines of a text, each without its line end, its comment and outer blanks.
class TextLines {
public:
    explicit TextLines(std::string_view text) : text_(text) {}
    // False at the end of the text.
    bool next(std::string_view& line);

private:
    std::string_view text_;
    size_t pos_ = 0;
};

std::string_view trimBlanks(std::string_view s);
// The fields of a line: runs of characters between commas, spaces and tabs; `out` is
// refilled, so one vector serves a whole file without an allocation per line.
// Stops after `most` fields, for readers that need only the first few.
void splitFields(std::string_view line, std::vector<std::string_view>& out, size_t most = SIZE_MAX);
// The first blank-separated word of a line and the rest, trimmed.
std::string_view firstWord(std::string_view line, std::string_view& rest);

std::optional<int32_t> parseInt(std::string_view s);
std::optional<float> parseFloat(std::string_view s);

}  // namespace varmelo
