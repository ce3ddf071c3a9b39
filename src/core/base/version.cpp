#include "core/base/version.h"

#include <string>

#include "radioprog_version.h"

namespace radioprog {

std::string_view ProgramVersion() {
    return RADIOPROG_VERSION;
}

std::string VersionLine(std::string_view program) {
    return std::string(program) + " " + std::string(ProgramVersion());
}

}  // namespace radioprog
