#include "core/radio/channel_record.h"

namespace radioprog {

std::uint32_t DecodeBcdFrequency(const std::uint8_t* bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        const std::uint8_t pair = bytes[i];
        value = value * 100 + 10u * (pair >> 4) + (pair & 0x0Fu);
    }
    return value;
}

void EncodeBcdFrequency(std::uint32_t value, std::uint8_t* bytes) {
    // Pairs from the top: the most significant pair goes into byte 3.
    std::uint32_t divisor = 1'000'000;
    for (int i = 3; i >= 0; --i) {
        const std::uint32_t pair = (value / divisor) % 100;
        value %= divisor;
        divisor /= 100;
        bytes[i] = static_cast<std::uint8_t>(((pair / 10) << 4) | (pair % 10));
    }
}

BusyLock ChannelRecordView::Busy() const {
    const int bits =
        (m_bytes[record::kBusyLockByte] & record::kBusyLockMask) >> record::kBusyLockShift;
    return bits >= 2 ? BusyLock::QtDqt : static_cast<BusyLock>(bits);
}

void ChannelRecordWriter::SetFrequency(std::size_t at, std::uint32_t value) {
    if (value == 0 || value > kMaxBcdFrequency) {
        for (std::size_t i = 0; i < 4; ++i) {
            m_bytes[at + i] = image::kEmptyByte;
        }
        return;
    }
    EncodeBcdFrequency(value, m_bytes + at);
}

void ChannelRecordWriter::SetBusy(BusyLock value) {
    std::uint8_t& byte = m_bytes[record::kBusyLockByte];
    byte = static_cast<std::uint8_t>((byte & ~record::kBusyLockMask) |
                                     (static_cast<std::uint8_t>(value) << record::kBusyLockShift));
}

void ChannelRecordWriter::SetBit(std::size_t at, std::uint8_t mask, bool on) {
    m_bytes[at] = static_cast<std::uint8_t>(on ? (m_bytes[at] | mask) : (m_bytes[at] & ~mask));
}

namespace {
std::size_t ScanAddByte(int channel) {
    return channel <= 8 ? image::kScanAddLow : image::kScanAddHigh;
}
std::uint8_t ScanAddMask(int channel) {
    return static_cast<std::uint8_t>(1u << ((channel - 1) % 8));
}
}  // namespace

bool ScanAdd(const RadioImage& image, int channel) {
    return (image[ScanAddByte(channel)] & ScanAddMask(channel)) != 0;
}

void SetScanAdd(RadioImage& image, int channel, bool on) {
    std::uint8_t& byte = image[ScanAddByte(channel)];
    byte = static_cast<std::uint8_t>(on ? (byte | ScanAddMask(channel))
                                        : (byte & ~ScanAddMask(channel)));
}

}  // namespace radioprog
