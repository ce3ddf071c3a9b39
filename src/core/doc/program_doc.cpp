#include "core/doc/program_doc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "core/base/atomic_file.h"
#include "core/doc/app_context.h"
#include "core/radio/channel_codec.h"
#include "core/radio/display_texts.h"

namespace radioprog {
namespace {

std::string OpenError(const std::filesystem::path& path, std::string_view cause) {
    return "Cannot open \"" + path.string() + "\": " + std::string(cause);
}

}  // namespace

bool CProgramDoc::OnNewDocument(AppContext& context) {
    m_modified = false;
    m_image = NewRadioImage(context.link.loginPassword);
    m_title = std::string(texts::kChannelInformation.In(context.language));
    m_pathName = context.SetupAppName();
    context.newDocument = true;
    return true;
}

Status CProgramDoc::OnOpenDocument(const std::filesystem::path& path, AppContext& context) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return Status::Error(OpenError(path, "it is a folder"));
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Status::Error(OpenError(path, std::strerror(errno)));
    }
    RadioImage loaded{};
    file.read(reinterpret_cast<char*>(loaded.data()), static_cast<std::streamsize>(loaded.size()));
    const auto got = file.gcount();
    if (file.bad()) {
        return Status::Error(OpenError(path, "the file could not be read"));
    }
    if (got < static_cast<std::streamsize>(loaded.size())) {
        return Status::Error(
            OpenError(path, "it holds " + std::to_string(got) + " bytes, a radio file holds 1024"));
    }
    m_image = loaded;
    m_pathName = path;
    m_title = path.filename().string();
    m_modified = false;
    context.newDocument = false;
    return Status::Ok();
}

Status CProgramDoc::OnSaveDocument(const std::filesystem::path& path, const ChannelGrid& grid,
                                   const AppContext& context) {
    GridToImage(grid, context.band, m_image);
    if (Status status = WriteFileAtomically(path, m_image); !status) {
        return status;
    }
    m_pathName = path;
    m_title = path.filename().string();
    m_modified = false;
    return Status::Ok();
}

}  // namespace radioprog
