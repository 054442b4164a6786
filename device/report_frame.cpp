#include "device/report_frame.h"

namespace keyloom {

std::uint8_t ReportChecksum(const std::uint8_t* report, std::size_t last_report_byte) {
    if (last_report_byte >= kReportSize) {
        last_report_byte = kReportSize - 1;
    }
    unsigned sum = 0;
    for (std::size_t i = kLengthByte; i <= last_report_byte; ++i) {
        sum += report[i];
    }
    return static_cast<std::uint8_t>(sum & 0xFFU);
}

std::uint8_t FrameChecksum(const Frame& frame, std::size_t last_report_byte) {
    return ReportChecksum(frame.data() + 1, last_report_byte);
}

}  // namespace keyloom
