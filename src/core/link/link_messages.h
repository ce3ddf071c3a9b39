#pragma once

#include <string>

#include "core/base/language.h"
#include "core/link/link_observer.h"

namespace radioprog {

/// What the desktop program's message box and the command line say for @p message, in
/// @p language; the detail of the message follows it (for a transfer that did not complete,
/// "N of 62"). Empty for a refused entry, whose detail is the whole message.
std::string LinkMessageText(LinkMessage message, Language language);

/// The caption of the message box that says "Password Error".
std::string PasswordErrorCaption(Language language);

/// "N of 62": how far a transfer that stopped got.
std::string BlocksDoneDetail(int blocksDone);

}  // namespace radioprog
