#include "fleet_display.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli_common.h"
#include "core/fleet/fleet_log.h"
#include "core/fleet/fleet_texts.h"

namespace radioprog::cli {
namespace {

constexpr const char* kClearLine = "\r\x1b[2K";

std::string CursorUp(std::size_t lines) {
    return "\x1b[" + std::to_string(lines) + "A";
}

std::string RadioJson(const RadioRecord& record) {
    const std::vector<std::string> fields = FleetLogFields(record);
    nlohmann::json radio = {
        {"sequence", record.sequence},
        {"port", record.port},
        {"start", fields[2]},
        {"end", fields[3]},
        {"adminPasswordSet", record.identity.adminPasswordSet},
        {"userPasswordSet", record.identity.userPasswordSet},
        {"result", fields[6]},
        {"detail", fields[7]},
        {"backup", record.outcome.backupFile.empty() ? nlohmann::json(nullptr)
                                                     : nlohmann::json(record.outcome.backupFile)},
        {"differences", record.outcome.differences},
    };
    return radio.dump();
}

}  // namespace

std::string RadioLine(const RadioRecord& record, Language language) {
    std::string line = std::to_string(record.sequence) + "  " + record.port + "  " +
                       RadioResultText(record.outcome, language);
    if (!record.outcome.backupFile.empty()) {
        line += std::string(BilingualText{"  backup: ", "  备份："}.In(language)) +
                record.outcome.backupFile;
    }
    return line;
}

FleetDisplay::FleetDisplay(const std::vector<std::string>& ports, Language language, bool live,
                           bool json)
    : m_language(language), m_live(live), m_json(json) {
    for (std::size_t i = 0; i < ports.size(); ++i) {
        PortState state;
        state.index = i;
        state.port = ports[i];
        m_ports.push_back(state);
        m_portWidth = std::max(m_portWidth, DisplayWidth(ports[i]));
    }
}

void FleetDisplay::PortChanged(const PortState& state) {
    const std::lock_guard lock(m_mutex);
    m_ports.at(state.index) = state;
    m_changed = true;
}

void FleetDisplay::RadioFinished(const RadioRecord& record) {
    const std::lock_guard lock(m_mutex);
    m_finished.emplace_back(RadioLine(record, m_language), RadioJson(record));
    m_changed = true;
}

void FleetDisplay::Draw() {
    std::vector<std::string> lines;
    std::vector<std::pair<std::string, std::string>> finished;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_changed) {
            return;
        }
        m_changed = false;
        finished.swap(m_finished);
        for (const PortState& state : m_ports) {
            lines.push_back(Padded(state.port, m_portWidth) + "  " +
                            PortStateText(state, m_language));
        }
    }
    if (m_live && m_linesDrawn > 0) {
        std::cerr << CursorUp(m_linesDrawn);
    }
    for (const auto& [text, json] : finished) {
        PrintRadio(text, json);
    }
    if (m_live) {
        DrawPorts(lines);
    }
}

void FleetDisplay::Finish() {
    {
        const std::lock_guard lock(m_mutex);
        m_changed = true;
    }
    Draw();
}

void FleetDisplay::DrawPorts(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        std::cerr << kClearLine << line << '\n';
    }
    std::cerr << std::flush;
    m_linesDrawn = lines.size();
}

// Standard output gets every radio, as text or JSON; a live terminal shows it above the ports
// when standard output is not that terminal too.
void FleetDisplay::PrintRadio(const std::string& line, const std::string& json) {
    if (m_live) {
        std::cerr << kClearLine;
        if (m_json || ::isatty(STDOUT_FILENO) != 1) {
            std::cerr << line << '\n';
        }
    }
    std::cout << (m_json ? json : line) << '\n' << std::flush;
}

}  // namespace radioprog::cli
