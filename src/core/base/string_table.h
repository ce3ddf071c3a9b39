#pragma once

#include <string_view>

#include "core/base/language.h"

namespace radioprog {

/// The string-table texts the program shows by number; the GUI's catalogue carries the same
/// texts, so the command line and the windows say the same thing.
enum class StringId {
    CommunicationError = 61451,
    AllDataCleared = 61452,
    CouldNotOpenPort = 61453,
    ProgramInterrupt = 61454,
    OutOfRange = 61448,
    OffStep = 61456,
    Caution = 61458,
};

std::string_view StringText(StringId id, Language language);

}  // namespace radioprog
