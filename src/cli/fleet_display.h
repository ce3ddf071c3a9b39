#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/fleet/fleet_run.h"

namespace radioprog::cli {

/// What a fleet run shows while it runs. The ports' threads only hand over what happened; the
/// main thread draws it, so that output never interleaves. On a terminal every port has a line
/// of its own, redrawn in place ("COM1  Writing 31 of 62"), with each finished radio written
/// above them; otherwise a line per finished radio is all.
class FleetDisplay final : public FleetReporter {
public:
    FleetDisplay(const std::vector<std::string>& ports, Language language, bool live, bool json);

    void PortChanged(const PortState& state) override;
    void RadioFinished(const RadioRecord& record) override;

    /// Draws what changed since the last call; from the main thread.
    void Draw();
    /// The last drawing, then the port lines are left as they stand.
    void Finish();

private:
    void DrawPorts(const std::vector<std::string>& lines);
    void PrintRadio(const std::string& line, const std::string& json);

    const Language m_language;
    const bool m_live;
    const bool m_json;
    std::size_t m_portWidth = 0;
    std::size_t m_linesDrawn = 0;

    std::mutex m_mutex;  // guards what follows
    std::vector<PortState> m_ports;
    std::vector<std::pair<std::string, std::string>> m_finished;  // text line, JSON line
    bool m_changed = true;
};

/// The line of a finished radio: "3  COM1  Verified  backup: FILE".
std::string RadioLine(const RadioRecord& record, Language language);

}  // namespace radioprog::cli
