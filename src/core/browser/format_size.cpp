#include "core/browser/format_size.h"

#include "core/settings/text_format.h"

namespace varmelo {

std::string FormatSize(uint64_t bytes, const MessageTable& messages, char decimalSeparator) {
    constexpr uint64_t kKb = 1024, kMb = 1048576, kGb = 1073741824;
    if (bytes < kKb) return formatText(messages.get(MsgBytes), {int64_t(bytes)}, decimalSeparator);
    int msg;
    double unit;
    if (bytes < kMb) {
        msg = MsgKilobytes;
        unit = double(kKb);
    } else if (bytes < kGb) {
        msg = MsgMegabytes;
        unit = double(kMb);
    } else {
        msg = MsgGigabytes;
        unit = double(kGb);
    }
    return formatText(messages.get(msg), {double(bytes) / unit}, decimalSeparator);
}

}  // namespace varmelo
