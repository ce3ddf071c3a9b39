#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/base/language.h"

namespace radioprog {

/// What OK in the Language dialog does to the settings file and to the dialog's changed mark.
struct LanguageOk {
    std::optional<std::string> store;  ///< the new `Setup` `Language` value, when one is stored
    bool changed = false;              ///< the changed mark after OK
};

/// The radio button the Language dialog opens with (0 English, 1 Chinese): the language the
/// next start will use, @p stored being the `Setup` `Language` value held for it. That is the
/// running language until an OK of this run stores the other one; the dialog then shows the
/// choice that is waiting, not the language it replaces.
int InitialLanguageSelection(std::string_view stored);

/// Decides OK in the Language dialog.
/// @param running the language of this run
/// @param stored the `Setup` `Language` value held for the next start
/// @param selected the selected radio button: 0 English, 1 Chinese, anything else none
/// @param changed the changed mark before OK; it is never cleared
///
/// Choosing the other language stores it and sets the mark. Choosing the running language
/// stores nothing, unless an earlier OK of this run already stored the other one: then the
/// running language is stored back, so that the next start comes up in the language chosen
/// last.
LanguageOk DecideLanguageOk(Language running, std::string_view stored, int selected, bool changed);

/// Whether the Setup menu offers Language: `Setup` `ShowLang` read as a leading decimal
/// number is not 0 (missing, empty and non-numeric values read as 0).
bool ShowsLanguageCommand(std::string_view showLang);

}  // namespace radioprog
