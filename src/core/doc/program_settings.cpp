#include "core/doc/program_settings.h"

#include <system_error>

namespace radioprog {

ProgramSettings::~ProgramSettings() {
    if (m_writeBack) {
        Save(false);
    }
}

Status ProgramSettings::Load(const SettingsLayout& layout) {
    m_readOnly.clear();
    m_written.Clear();
    m_writeBack = true;
    m_writtenPath = layout.written();
    std::string unreadable;
    const auto note = [&unreadable](bool loaded, const std::filesystem::path& file,
                                    bool evenWhenMissing = false) {
        std::error_code error;
        if (!loaded && (evenWhenMissing || std::filesystem::exists(file, error))) {
            unreadable +=
                (unreadable.empty() ? "" : "\n") + ("Cannot read \"" + file.string() + "\"");
        }
    };
    for (std::size_t i = 0; i + 1 < layout.layers.size(); ++i) {
        auto layer = std::make_unique<CIniProfile>(4);
        note(layer->LoadFileIfPresent(layout.layers[i], false, true, false), layout.layers[i]);
        m_readOnly.push_back(std::move(layer));
    }
    // The save at the end is this class's, so that the user's folder can be made first. A
    // user's file that is neither there nor missing (its folder is a file, say) could never
    // take a change.
    m_changeLost = false;
    note(layout.singleFolder ? m_written.LoadFile(m_writtenPath, false, true, false)
                             : m_written.LoadFileIfPresent(m_writtenPath, false, true, false),
         m_writtenPath, !layout.singleFolder);
    return unreadable.empty() ? Status::Ok() : Status::Error(unreadable);
}

std::vector<const CIniProfile*> ProgramSettings::Layers() const {
    std::vector<const CIniProfile*> layers;
    for (const auto& layer : m_readOnly) {
        layers.push_back(layer.get());
    }
    layers.push_back(&m_written);
    return layers;
}

std::string ProgramSettings::GetValue(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    const std::vector<const CIniProfile*> layers = Layers();
    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
        if ((*layer)->HasKey(section, key)) {
            return (*layer)->GetValue(section, key, defaultValue);
        }
    }
    // A store that could not be read answers with the trimmed default, as one that has the
    // section without the key does.
    for (const CIniProfile* layer : layers) {
        if (layer->path().empty() || layer->HasSection(section)) {
            return layer->GetValue(section, key, defaultValue);
        }
    }
    return std::string(defaultValue);
}

void ProgramSettings::SetValue(std::string_view section, std::string_view key,
                               std::string_view value) {
    m_changeLost = m_changeLost || m_written.path().empty();
    m_written.SetValue(section, key, value);
}

std::string ProgramSettings::Save(bool backup, Status* status) {
    if (status != nullptr) {
        *status = m_changeLost ? Status::Error("Cannot write \"" + m_writtenPath.string() +
                                               "\": it could not be read")
                               : Status::Ok();
    }
    if (!m_written.modified()) {
        return {};
    }
    if (m_writtenPath.has_parent_path()) {
        std::error_code error;
        std::filesystem::create_directories(m_writtenPath.parent_path(), error);
        if (error) {
            if (status != nullptr) {
                *status =
                    Status::Error("Cannot create the folder \"" +
                                  m_writtenPath.parent_path().string() + "\": " + error.message());
            }
            return {};
        }
    }
    return m_written.Save(backup, status);
}

}  // namespace radioprog
