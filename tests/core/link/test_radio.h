#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/doc/safe_write.h"
#include "core/link/block_transfer.h"
#include "core/link/connection.h"
#include "core/link/link_observer.h"
#include "core/radio/memory_image.h"
#include "fake_line.h"

namespace radioprog::testing {

/// Just enough radio for the engines' tests, with knobs for the ways a radio goes wrong.
struct TestRadio {
    RadioImage memory{};
    std::optional<std::uint8_t> handshakeAnswer = wire::kAck;  ///< nothing: silent
    bool answerIdentity = true;
    std::uint8_t connectAck = wire::kAck;
    std::size_t readReplySize = wire::kReadReplySize;
    int halfBlocksBeforeSilence = -1;  ///< -1: never falls silent
    std::vector<std::size_t> written;  ///< addresses of the half-blocks written
    bool echoCommand = true;           ///< read replies begin with the command's 4 bytes
    /// Stray bytes sent before the next read replies of an address, one entry per reply.
    std::map<std::size_t, std::deque<std::vector<std::uint8_t>>> strayBefore;

    std::vector<std::uint8_t> operator()(std::uint8_t byte) {
        switch (m_state) {
            case State::Idle:
            case State::Programming:
                if (m_message.empty() && byte == wire::kHandshake[0]) {
                    m_state = State::Handshake;
                    m_message = {byte};
                    return {};
                }
                if (m_state == State::Idle) {
                    return {};
                }
                m_message.push_back(byte);
                return Command();
            case State::Handshake:
                m_message.push_back(byte);
                return Handshake();
            case State::Identity:
                if (byte != wire::kIdentityRequest) {
                    return {};
                }
                m_state = State::Ack;
                if (!answerIdentity) {
                    return {};
                }
                return {memory.begin() + image::kIdentity, memory.begin() + image::kIdentity + 8};
            case State::Ack:
                if (byte == wire::kHandshake[0]) {  // the program started over
                    m_state = State::Handshake;
                    m_message = {byte};
                    return {};
                }
                if (byte == wire::kHandshake[1]) {  // that 02 was a new handshake, not a request
                    m_state = State::Handshake;
                    m_message = {wire::kHandshake[0], byte};
                    return {};
                }
                m_state = connectAck == wire::kAck ? State::Programming : State::Idle;
                return {connectAck};
        }
        return {};
    }

private:
    enum class State { Idle, Handshake, Identity, Ack, Programming };

    std::vector<std::uint8_t> Handshake() {
        const std::size_t n = m_message.size();
        if (m_message[n - 1] != wire::kHandshake[n - 1]) {
            m_message.clear();
            m_state = State::Idle;
            return {};
        }
        if (n < wire::kHandshake.size()) {
            return {};
        }
        m_message.clear();
        m_state = State::Identity;
        return handshakeAnswer ? std::vector<std::uint8_t>{*handshakeAnswer}
                               : std::vector<std::uint8_t>{};
    }

    std::vector<std::uint8_t> Command() {
        const std::uint8_t kind = m_message[0];
        if (kind == wire::kAck) {
            m_message.clear();
            return {wire::kAck};
        }
        const std::size_t needed = kind == wire::kWriteCommand ? 12 : 4;
        if (m_message.size() < needed) {
            return {};
        }
        const std::size_t address = (m_message[1] << 8) | m_message[2];
        std::vector<std::uint8_t> answer;
        if (halfBlocksBeforeSilence != 0) {
            if (kind == wire::kReadCommand) {
                if (auto stray = strayBefore.find(address);
                    stray != strayBefore.end() && !stray->second.empty()) {
                    answer = stray->second.front();
                    stray->second.pop_front();
                }
                if (echoCommand) {
                    answer.insert(answer.end(), m_message.begin(), m_message.begin() + 4);
                } else {
                    answer.insert(answer.end(), {0x00, 0x00, 0x00, 0x00});
                }
                answer.insert(answer.end(), memory.begin() + address, memory.begin() + address + 8);
                answer.resize(answer.size() - wire::kReadReplySize + readReplySize);
            } else {
                std::copy(m_message.begin() + 4, m_message.end(), memory.begin() + address);
                written.push_back(address);
                answer = {wire::kAck};
            }
            halfBlocksBeforeSilence -= halfBlocksBeforeSilence > 0 ? 1 : 0;
        }
        m_message.clear();
        return answer;
    }

    State m_state = State::Idle;
    std::vector<std::uint8_t> m_message;
};

/// Answers the engines' questions from queues and logs what they show into the line's log.
class TestObserver : public SafeWriteObserver {
public:
    explicit TestObserver(FakeLine& line) : m_line(line) {}

    int cancelAfterPumps = -1;
    std::deque<bool> retryAnswers;  ///< empty: Cancel
    std::deque<std::optional<PackedPassword>> reLogins;
    std::vector<std::string> messages;
    std::vector<int> progress;
    int pumps = 0;

    void Pump() override {
        ++pumps;
        m_line.log.push_back("pump");
    }
    bool CancelRequested() const override {
        return cancelAfterPumps >= 0 && pumps >= cancelAfterPumps;
    }
    void Progress(int blocksDone) override { progress.push_back(blocksDone); }
    bool AskRetry() override {
        messages.push_back("CommunicationError");
        if (retryAnswers.empty()) {
            return false;
        }
        const bool retry = retryAnswers.front();
        retryAnswers.pop_front();
        return retry;
    }
    std::optional<PackedPassword> ReLogin() override {
        messages.push_back("ReLogin");
        if (reLogins.empty()) {
            return std::nullopt;
        }
        auto answer = reLogins.front();
        reLogins.pop_front();
        return answer;
    }
    std::deque<bool> writeAnswers;  ///< empty: No
    bool ConfirmWrite(const std::string& question) override {
        messages.push_back("ConfirmWrite: " + question);
        if (writeAnswers.empty()) {
            return false;
        }
        const bool answer = writeAnswers.front();
        writeAnswers.pop_front();
        return answer;
    }
    void ShowMessage(LinkMessage message, const std::string& detail) override {
        static const char* names[] = {"CouldNotOpenPort",   "PasswordError",     "ProgramInterrupt",
                                      "TransferIncomplete", "TransferCancelled", "RefusedEntry"};
        messages.push_back(std::string(names[static_cast<int>(message)]) +
                           (detail.empty() ? "" : ": " + detail));
    }

private:
    FakeLine& m_line;
};

}  // namespace radioprog::testing
