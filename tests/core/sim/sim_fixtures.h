#pragma once

#include <cstdint>
#include <vector>

#include "core/radio/memory_image.h"
#include "core/sim/radio_simulator.h"

namespace radioprog::sim_fixtures {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Cat(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

inline Bytes Slice(const RadioImage& memory, std::size_t offset, std::size_t size = 8) {
    return Bytes(memory.begin() + static_cast<std::ptrdiff_t>(offset),
                 memory.begin() + static_cast<std::ptrdiff_t>(offset + size));
}

/// Every byte different from its neighbours, so that a read from a wrong address shows, with
/// an identity record that holds passwords.
inline RadioImage PatternMemory() {
    RadioImage memory{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    const Bytes identity = {0x50, 0xAA, 0x12, 0x34, 0x56, 0x78, 0x9F, 0xFF};
    std::copy(identity.begin(), identity.end(), memory.begin() + image::kIdentity);
    return memory;
}

inline Bytes Handshake() {
    return {0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x5D};
}

inline Bytes Identity(const RadioImage& memory) {
    return Slice(memory, image::kIdentity);
}

inline Bytes ReadCommand(std::size_t address) {
    return {0x52, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
            0x08};
}

inline Bytes ReadReply(const RadioImage& memory, std::size_t address) {
    return Cat(ReadCommand(address), Slice(memory, address));
}

inline Bytes WriteCommand(std::size_t address, const Bytes& data) {
    return Cat(
        {0x57, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address), 0x08},
        data);
}

/// All that the radio answers to @p bytes.
inline Bytes Feed(RadioSimulator& radio, const Bytes& bytes) {
    Bytes answers;
    for (const std::uint8_t byte : bytes) {
        answers = Cat(answers, radio.Receive(byte));
    }
    return answers;
}

}  // namespace radioprog::sim_fixtures
