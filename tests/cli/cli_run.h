#pragma once

#include <string>
#include <vector>

#include "../support/process.h"
#include "../support/temp_dir.h"

namespace radioprog::testing {

/// Runs radioprog-cli on the application folder @p dir, with the user's settings and data folders
/// inside it, so that no test reads or writes the real user's files.
inline ProcessResult RunCli(const TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--appdir", dir.path().string()});
    return RunProcess(RADIOPROG_CLI, args,
                      {"XDG_CONFIG_HOME=" + (dir / "config").string(),
                       "XDG_DATA_HOME=" + (dir / "data").string()});
}

}  // namespace radioprog::testing
