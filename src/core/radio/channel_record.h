#pragma once

#include <cstdint>
#include <optional>

#include "core/radio/memory_image.h"

namespace radioprog {

/// Byte positions inside one 16-byte channel record.
namespace record {
inline constexpr std::size_t kRxFrequency = 0;  // 4 bytes packed BCD, low pair first
inline constexpr std::size_t kTxFrequency = 4;
inline constexpr std::size_t kRxTone = 8;  // tone word, little-endian
inline constexpr std::size_t kTxTone = 10;
inline constexpr std::size_t kBusyLockByte = 12;
inline constexpr std::uint8_t kBusyLockMask = 0x18;  // bits 3-4
inline constexpr int kBusyLockShift = 3;
inline constexpr std::size_t kPowerWidthByte = 13;
inline constexpr std::uint8_t kWideBit = 0x10;       // bit 4
inline constexpr std::uint8_t kHighPowerBit = 0x20;  // bit 5
}  // namespace record

/// Busy Lock values as stored in bits 3-4 of byte 12; 3 is shown as QT/DQT and written back as 2.
enum class BusyLock : std::uint8_t { Off = 0, Carrier = 1, QtDqt = 2 };

/// The largest frequency eight BCD digits hold, in 10 Hz units.
inline constexpr std::uint32_t kMaxBcdFrequency = 99'999'999;

/// Decodes four packed-BCD bytes (least significant pair first) without checking the digits:
/// a nibble above 9 still counts with its value, as the radio's own readers do.
std::uint32_t DecodeBcdFrequency(const std::uint8_t* bytes);
/// Encodes @p value (at most kMaxBcdFrequency) as valid packed BCD, least significant pair first.
void EncodeBcdFrequency(std::uint32_t value, std::uint8_t* bytes);

/// Read-only view of one channel record in an image.
class ChannelRecordView {
public:
    ChannelRecordView(const RadioImage& image, int channel)
        : m_bytes(image.data() + image::ChannelOffset(channel)) {}

    bool HasRxFrequency() const { return FrequencyPresent(m_bytes[record::kRxFrequency + 3]); }
    bool HasTxFrequency() const { return FrequencyPresent(m_bytes[record::kTxFrequency + 3]); }
    /// A channel without a receive frequency is empty.
    bool IsEmpty() const { return !HasRxFrequency(); }
    /// A channel missing either frequency is incomplete: Power, Busy Lock and W/N are not shown.
    bool IsIncomplete() const { return !HasRxFrequency() || !HasTxFrequency(); }

    std::uint32_t RxFrequency() const { return DecodeBcdFrequency(m_bytes + record::kRxFrequency); }
    std::uint32_t TxFrequency() const { return DecodeBcdFrequency(m_bytes + record::kTxFrequency); }
    std::uint16_t RxTone() const { return Word(record::kRxTone); }
    std::uint16_t TxTone() const { return Word(record::kTxTone); }
    BusyLock Busy() const;
    bool HighPower() const {
        return (m_bytes[record::kPowerWidthByte] & record::kHighPowerBit) != 0;
    }
    bool Wide() const { return (m_bytes[record::kPowerWidthByte] & record::kWideBit) != 0; }

private:
    static bool FrequencyPresent(std::uint8_t topByte) {
        return topByte != 0x00 && topByte != 0xFF;
    }
    std::uint16_t Word(std::size_t at) const {
        return static_cast<std::uint16_t>(m_bytes[at] | (m_bytes[at + 1] << 8));
    }

    const std::uint8_t* m_bytes;
};

/// Writer for one channel record; bit fields are changed read-modify-write.
class ChannelRecordWriter {
public:
    ChannelRecordWriter(RadioImage& image, int channel)
        : m_bytes(image.data() + image::ChannelOffset(channel)) {}

    /// 0 or a value that eight BCD digits cannot hold writes the cleared form FF FF FF FF.
    void SetRxFrequency(std::uint32_t value) { SetFrequency(record::kRxFrequency, value); }
    void SetTxFrequency(std::uint32_t value) { SetFrequency(record::kTxFrequency, value); }
    void SetRxTone(std::uint8_t low, std::uint8_t high) { SetWord(record::kRxTone, low, high); }
    void SetTxTone(std::uint8_t low, std::uint8_t high) { SetWord(record::kTxTone, low, high); }
    void SetBusy(BusyLock value);
    void SetHighPower(bool high) { SetBit(record::kPowerWidthByte, record::kHighPowerBit, high); }
    void SetWide(bool wide) { SetBit(record::kPowerWidthByte, record::kWideBit, wide); }

private:
    void SetFrequency(std::size_t at, std::uint32_t value);
    void SetWord(std::size_t at, std::uint8_t low, std::uint8_t high) {
        m_bytes[at] = low;
        m_bytes[at + 1] = high;
    }
    void SetBit(std::size_t at, std::uint8_t mask, bool on);

    std::uint8_t* m_bytes;
};

/// Scan-add flag of channel n (1-16).
bool ScanAdd(const RadioImage& image, int channel);
void SetScanAdd(RadioImage& image, int channel, bool on);

}  // namespace radioprog
