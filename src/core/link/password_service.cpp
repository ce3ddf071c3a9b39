#include "core/link/password_service.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/link/block_transfer.h"
#include "core/link/connection.h"
#include "core/link/link_session.h"

namespace radioprog {
namespace {

constexpr std::uint8_t kIdentitySecondByte = 0xFF;

void WriteByte(RadioPort& port, std::uint8_t byte) {
    port.Write(std::span(&byte, 1));
}

bool ReadAck(RadioPort& port) {
    port.PurgeInput();
    const RadioPort::ReadResult answer = port.Read(1);
    return answer.bytes.size() == 1 && answer.bytes[0] == wire::kAck;
}

// The part Query and Change share: handshake, identity and the Admin check. On success the
// port is left open with the identity in @p identity.
std::optional<PasswordResult> OpenAndIdentify(PortOpener& opener, const LinkSession& session,
                                              std::unique_ptr<RadioPort>& port,
                                              IdentityReply& identity) {
    PortOpener::Opened opened = OpenRadioPort(opener, session, kPasswordProfile);
    if (!opened.port) {
        return PasswordResult{PasswordExchange::CouldNotOpenPort, opened.error};
    }
    port = std::move(opened.port);
    SendHandshake(*port);
    if (!ReadAck(*port)) {
        return PasswordResult{PasswordExchange::NoAck, {}};
    }
    WriteByte(*port, wire::kIdentityRequest);
    port->PurgeInput();
    const RadioPort::ReadResult reply = port->Read(wire::kIdentitySize);
    // A radio that stopped answering, or noise on the line, is not a wrong password, and a
    // query must not show a password the radio did not send.
    if (reply.bytes.size() < wire::kIdentitySize || !IsIdentityRecord(reply.bytes)) {
        return PasswordResult{PasswordExchange::NoAck, {}};
    }
    std::copy_n(reply.bytes.begin(), identity.size(), identity.begin());
    const PackedPassword admin{identity[2], identity[3], identity[4]};
    if (IsPasswordSet(admin) && admin != session.loginPassword) {
        return PasswordResult{PasswordExchange::PasswordError, {}};
    }
    return std::nullopt;
}

}  // namespace

std::string PasswordMessage(PasswordExchange result, Language language) {
    switch (result) {
        case PasswordExchange::Done:
            return {};
        case PasswordExchange::CouldNotOpenPort:
            return std::string(
                BilingualText{"Cound not open the port", "打开串口失败"}.In(language));
        case PasswordExchange::NoAck:
            return std::string(BilingualText{"No Receive ACK", "未收到响应"}.In(language));
        case PasswordExchange::PasswordError:
            return std::string(BilingualText{"Password error", "密码不对"}.In(language));
        case PasswordExchange::ModifySuccess:
            return std::string(BilingualText{"Modify successfully", "密码修改成功"}.In(language));
        case PasswordExchange::InvalidPassword:
            return std::string(
                BilingualText{"The User Password is up to six digits.", "用户密码最多为六位数字。"}
                    .In(language));
    }
    return {};
}

bool StoreUserPassword(RadioImage& image, std::string_view digits) {
    const auto packed = PackPassword(digits);
    if (!packed) {
        return false;
    }
    image[image::kIdentity] = image::kIdentityMarker;
    image[image::kIdentity + 1] = kIdentitySecondByte;
    std::copy(packed->begin(), packed->end(), image.begin() + image::kIdentityUserPassword);
    return true;
}

std::string ShowUserPassword(const RadioImage& image) {
    char hex[7];
    std::snprintf(hex, sizeof hex, "%02x%02x%02x", image[image::kIdentityUserPassword],
                  image[image::kIdentityUserPassword + 1], image[image::kIdentityUserPassword + 2]);
    const std::string text(hex);
    const auto firstNonDigit =
        std::find_if(text.begin(), text.end(), [](char c) { return c < '0' || c > '9'; });
    return std::string(text.begin(), firstNonDigit);
}

bool HasUserPassword(const RadioImage& image) {
    return IsPasswordSet({image[image::kIdentityUserPassword],
                          image[image::kIdentityUserPassword + 1],
                          image[image::kIdentityUserPassword + 2]});
}

PasswordResult OnQuery(PortOpener& opener, const LinkSession& session, RadioImage& image) {
    std::unique_ptr<RadioPort> port;
    IdentityReply identity{};
    if (auto failed = OpenAndIdentify(opener, session, port, identity)) {
        return *failed;
    }
    std::copy(identity.begin(), identity.end(), image.begin() + image::kIdentity);
    WriteByte(*port, wire::kAck);
    if (!ReadAck(*port)) {
        return PasswordResult{PasswordExchange::NoAck, {}};
    }
    return PasswordResult{PasswordExchange::Done, {}};
}

PasswordResult OnChange(PortOpener& opener, const LinkSession& session, RadioImage& image,
                        std::string_view userPassword) {
    // Otherwise the radio would get the old password back and the user hear "Modify
    // successfully".
    if (!PackPassword(userPassword)) {
        return PasswordResult{PasswordExchange::InvalidPassword, {}};
    }
    std::unique_ptr<RadioPort> port;
    IdentityReply identity{};
    if (auto failed = OpenAndIdentify(opener, session, port, identity)) {
        return *failed;
    }
    StoreUserPassword(image, userPassword);
    WriteByte(*port, wire::kAck);
    if (!ReadAck(*port)) {
        return PasswordResult{PasswordExchange::NoAck, {}};
    }
    std::array<std::uint8_t, 12> command = {
        wire::kWriteCommand, static_cast<std::uint8_t>(image::kIdentity >> 8),
        static_cast<std::uint8_t>(image::kIdentity & 0xFF), wire::kHalfBlockLength};
    std::copy_n(image.begin() + image::kIdentity, image::kIdentitySize, command.begin() + 4);
    port->Write(command);
    return PasswordResult{
        ReadAck(*port) ? PasswordExchange::ModifySuccess : PasswordExchange::NoAck, {}};
}

}  // namespace radioprog
