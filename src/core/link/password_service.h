#pragma once

#include <string>
#include <string_view>

#include "core/base/language.h"
#include "core/link/link_session.h"
#include "core/link/port_opener.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// What a Query or Change tells the user.
enum class PasswordExchange {
    Done,              ///< Query: the identity record is in the image; Change: no message
    CouldNotOpenPort,  ///< "Cound not open the port"; the detail says why
    NoAck,             ///< "No Receive ACK": an expected 06 or the identity did not come
    PasswordError,     ///< "Password error": the radio's Admin password is not the login's
    ModifySuccess,     ///< "Modify successfully"
    InvalidPassword,   ///< Change with a text that is not up to six digits; nothing was sent
};

struct PasswordResult {
    PasswordExchange result;
    std::string detail;
};

/// The message text of a result in the language of the run (empty for Done).
std::string PasswordMessage(PasswordExchange result, Language language);

/// Stores the typed User password (up to six digits) into the identity record: 50 FF, the
/// Admin password untouched, the User password packed. False, changing nothing, for a text
/// that is not up to six digits.
bool StoreUserPassword(RadioImage& image, std::string_view digits);

/// The User password of the identity record as the edit shows it: the leading digits of its
/// three bytes in hexadecimal.
std::string ShowUserPassword(const RadioImage& image);

/// Whether the identity record holds a User password (its first digit is a decimal digit).
bool HasUserPassword(const RadioImage& image);
/// What a query says of a radio without a User password instead of showing one.
inline constexpr BilingualText kNoUserPassword{"No User password is set", "未设置用户密码"};

/// Reads the radio's identity record into the image, after checking its Admin password against
/// the login password.
PasswordResult OnQuery(PortOpener& opener, const LinkSession& session, RadioImage& image);

/// Stores @p userPassword into the image and writes the identity record to the radio. A text
/// that is not up to six digits is refused before the port is opened.
PasswordResult OnChange(PortOpener& opener, const LinkSession& session, RadioImage& image,
                        std::string_view userPassword);

}  // namespace radioprog
