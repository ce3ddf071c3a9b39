// Plays arbitrary radio answers to the connection, transfer and password engines. Every read
// takes its answer from the input: one control byte (fail, or how many bytes come) and then
// those bytes. The engines must end, never touch memory they do not own, and never report a
// complete transfer that did not get an ACK for every half-block.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "core/doc/app_context.h"
#include "core/link/block_transfer.h"
#include "core/link/password_service.h"

using namespace radioprog;

namespace {

class Answers {
public:
    Answers(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    std::uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

class ScriptedPort : public RadioPort {
public:
    explicit ScriptedPort(Answers& answers) : m_answers(answers) {}
    ReadResult Read(std::size_t count) override {
        ReadResult result;
        if (m_answers.Empty()) {
            return result;
        }
        const std::uint8_t control = m_answers.Next();
        if (control == 0xFF) {
            result.failed = true;
            return result;
        }
        const std::size_t n = std::min<std::size_t>(control % 16, count);
        for (std::size_t i = 0; i < n && !m_answers.Empty(); ++i) {
            result.bytes.push_back(m_answers.Next());
        }
        return result;
    }
    bool Write(std::span<const std::uint8_t>) override { return true; }
    void PurgeInput() override {}
    void Sleep(Milliseconds) override {}

private:
    Answers& m_answers;
};

class ScriptedOpener : public PortOpener {
public:
    explicit ScriptedOpener(Answers& answers) : m_answers(answers) {}
    Opened Open(const std::string&, const TimeoutProfile&) override {
        if (m_answers.Next() == 0xEE) {
            return {nullptr, "refused"};
        }
        return {std::make_unique<ScriptedPort>(m_answers), {}};
    }

private:
    Answers& m_answers;
};

class ScriptedObserver : public LinkObserver {
public:
    explicit ScriptedObserver(Answers& answers) : m_answers(answers) {}
    bool CancelRequested() const override { return false; }
    void Progress(int blocksDone) override {
        if (blocksDone != m_last + 1 || blocksDone > 62) {
            std::abort();
        }
        m_last = blocksDone;
    }
    bool AskRetry() override { return !m_answers.Empty() && (m_answers.Next() & 1) != 0; }
    std::optional<PackedPassword> ReLogin() override {
        if (m_answers.Empty() || (m_answers.Next() & 1) == 0) {
            return std::nullopt;
        }
        return PackedPassword{m_answers.Next(), m_answers.Next(), m_answers.Next()};
    }
    void ShowMessage(LinkMessage, const std::string&) override {}
    int last() const { return m_last; }

private:
    Answers& m_answers;
    int m_last = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    Answers answers(data + 1, size - 1);
    AppContext context("/nonexistent/radioprog-fuzz/user.ini");
    context.link.role = RoleFromStoredValue(data[0] & 1);
    context.link.loginPassword = {0x12, 0x34, 0x56};
    ScriptedOpener opener(answers);
    ScriptedObserver observer(answers);
    RadioImage image{};
    switch ((data[0] >> 1) % 4) {
        case 0:
        case 1: {
            const auto direction =
                (data[0] >> 1) % 4 == 0 ? TransferDirection::Read : TransferDirection::Write;
            const TransferOutcome outcome =
                TransferImage(direction, image, opener, context.link, observer);
            const bool complete = outcome.kind == TransferOutcome::Kind::Complete;
            if (complete && (outcome.blocksDone != 62 || observer.last() != 62)) {
                std::abort();
            }
            break;
        }
        case 2:
            OnQuery(opener, context.link, image);
            break;
        default:
            OnChange(opener, context.link, image, "123456");
            break;
    }
    return 0;
}
