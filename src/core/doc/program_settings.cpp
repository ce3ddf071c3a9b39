#include "core/doc/program_settings.h"

#include <system_error>

#include "core/base/regular_file.h"

namespace radioprog {

// The end of the settings has no one left to tell of a failed write; a caller that must know
// saves first.
ProgramSettings::~ProgramSettings() {
    if (m_writeBack) {
        static_cast<void>(Save(false));
    }
}

Status ProgramSettings::Load(const SettingsLayout& layout) {
    m_readOnly.clear();
    m_written.Clear();
    m_writeBack = true;
    m_writtenPath = layout.written();
    std::string unreadable;
    // A file that is there and cannot be read (a named pipe, a device, no permission) is a
    // mistake to hear about; one that is missing is not.
    const auto note = [&unreadable](bool loaded, const Status& why,
                                    const std::filesystem::path& file,
                                    bool evenWhenMissing = false) {
        std::error_code error;
        if (!loaded && (evenWhenMissing || std::filesystem::exists(file, error) ||
                        KindOfFile(file) != FileKind::Missing)) {
            const std::string cause = why ? "Cannot read \"" + file.string() + "\"" : why.message();
            unreadable += (unreadable.empty() ? "" : "\n") + cause;
        }
    };
    for (std::size_t i = 0; i + 1 < layout.layers.size(); ++i) {
        auto layer = std::make_unique<CIniProfile>(4);
        Status why = Status::Ok();
        const bool loaded = layer->LoadFileIfPresent(layout.layers[i], false, true, false, &why);
        note(loaded, why, layout.layers[i]);
        m_readOnly.push_back(std::move(layer));
    }
    // The save at the end is this class's, so that the user's folder can be made first. A
    // user's file that is neither there nor missing (its folder is a file, say) could never
    // take a change.
    m_changeLost = false;
    Status why = Status::Ok();
    const bool loaded = layout.singleFolder
                            ? m_written.LoadFile(m_writtenPath, false, true, false, &why)
                            : m_written.LoadFileIfPresent(m_writtenPath, false, true, false, &why);
    // A one-folder file that cannot be created leaves the defaults in force without a word.
    note(loaded, why, m_writtenPath, !layout.singleFolder);
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

CIniProfile::Saved ProgramSettings::Save(bool backup) {
    if (m_changeLost) {
        return {
            Status::Error("Cannot write \"" + m_writtenPath.string() + "\": it could not be read"),
            {}};
    }
    if (!m_written.modified()) {
        return {};
    }
    if (m_writtenPath.has_parent_path()) {
        std::error_code error;
        std::filesystem::create_directories(m_writtenPath.parent_path(), error);
        if (error) {
            return {Status::Error("Cannot create the folder \"" +
                                  m_writtenPath.parent_path().string() + "\": " + error.message()),
                    {}};
        }
    }
    return m_written.Save(backup);
}

}  // namespace radioprog
