#include "doc/program_doc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/atomic_file.h"
#include "doc/app_context.h"
#include "radio/channel_codec.h"
#include "radio/display_texts.h"

namespace radioprog {
namespace {

struct ByteDefault {
    std::size_t offset;
    std::uint8_t value;
};

constexpr ByteDefault kNewFeatureBytes[] = {
    {image::kVoiceAnnunciation, 0x01}, {image::kTimeOutTimer, 0x04}, {image::kTotPreAlert, 0x09},
    {image::kSquelchLevel, 0x04},      {image::kBatterySaver, 0x01}, {image::kBeep, 0x01},
    {image::kVoxGain, 0x05},           {image::kVoxDelay, 0x02},     {image::kScanAddLow, 0x00},
    {image::kScanAddHigh, 0x00},       {image::kPttId, 0xFE},        {image::kCallTone, 0x00},
};
constexpr std::uint8_t kNewBandLimits[] = {0x13, 0x17, 0x64};  // 136-174 MHz
constexpr std::uint8_t kIdentitySecondByte = 0xFF;

std::string OpenError(const std::filesystem::path& path, std::string_view cause) {
    return "Cannot open \"" + path.string() + "\": " + std::string(cause);
}

}  // namespace

RadioImage NewRadioImage(const PackedPassword& loginPassword) {
    RadioImage image;
    image.fill(image::kEmptyByte);
    std::copy(image::kNewHeader.begin(), image::kNewHeader.end(), image.begin() + image::kHeader);
    for (const ByteDefault& byte : kNewFeatureBytes) {
        image[byte.offset] = byte.value;
    }
    std::copy(image::kNewScanInformation.begin(), image::kNewScanInformation.end(),
              image.begin() + image::kScanInformation);
    std::copy(std::begin(kNewBandLimits), std::end(kNewBandLimits),
              image.begin() + image::kBandLimits);
    image[image::kIdentity] = image::kIdentityMarker;
    image[image::kIdentity + 1] = kIdentitySecondByte;
    std::copy(loginPassword.begin(), loginPassword.end(),
              image.begin() + image::kIdentityAdminPassword);
    return image;
}

bool CProgramDoc::OnNewDocument(AppContext& context) {
    m_modified = false;
    m_image = NewRadioImage(context.loginPassword);
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
