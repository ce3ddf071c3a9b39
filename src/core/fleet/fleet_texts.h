#pragma once

#include <string>
#include <string_view>

#include "core/base/language.h"
#include "core/fleet/fleet_types.h"

namespace radioprog {

/// A port's phase as the live line and the table show it: "Writing 31 of 62", "Waiting for a
/// radio", "Done 3".
std::string PortStateText(const PortState& state, Language language);

/// How a radio ended, with its particulars: "Verify failed: differs at 0x0100, 0x0108".
std::string RadioResultText(const RadioOutcome& outcome, Language language);

/// The result's word in the log, the same in every language so that scripts can read it:
/// "verified", "verify failed", "write incomplete", ...
std::string_view RadioResultWord(RadioResultKind kind);

/// The particulars of a result in the log: the differing addresses, the blocks done, or what
/// the engines said.
std::string RadioResultDetail(const RadioOutcome& outcome);

/// "12 radios: 10 verified, 1 verify failed, 1 write incomplete, 0 other failures".
std::string FleetSummaryText(const FleetSummary& summary, Language language);

}  // namespace radioprog
