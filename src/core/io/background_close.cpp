#include "core/io/background_close.h"

#include <system_error>
#include <thread>
#include <utility>

namespace varmelo {

void closeInBackground(BinaryFile f) noexcept {
    auto release = [file = std::move(f)]() mutable {
        try {
            file.close();
        } catch (...) {
        }
    };
    try {
        std::thread(std::move(release)).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the file is closed here, as `release` goes out of scope.
    }
}

}  // namespace varmelo
