#include "doc/program_doc.h"

#include <algorithm>

#include "base/atomic_file.h"
#include "base/regular_file.h"
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
    FileStart file;
    if (Status read = ReadRegularFile(path, image::kSize, context.language, file); !read) {
        return read;
    }
    if (file.bytes.size() < image::kSize) {
        return Status::Error(OpenError(path, "it holds " + std::to_string(file.bytes.size()) +
                                                 " bytes, a radio file holds 1024"));
    }
    std::copy(file.bytes.begin(), file.bytes.end(), m_image.begin());
    m_pathName = path;
    m_title = path.filename().string();
    m_modified = false;
    context.newDocument = false;
    return Status::Ok();
}

Status CProgramDoc::OnSaveDocument(const std::filesystem::path& path, const ChannelGrid& grid,
                                   const AppContext& context) {
    GridToImage(grid, context.band, m_image);
    if (Status status = WriteFileAtomically(path, m_image, context.language); !status) {
        return status;
    }
    m_pathName = path;
    m_title = path.filename().string();
    m_modified = false;
    return Status::Ok();
}

}  // namespace radioprog
