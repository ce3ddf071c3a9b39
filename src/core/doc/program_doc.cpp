#include "doc/program_doc.h"

#include <algorithm>

#include "base/atomic_file.h"
#include "base/regular_file.h"
#include "doc/app_context.h"
#include "radio/channel_codec.h"
#include "radio/display_texts.h"
#include "radio/image_doubts.h"

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

std::string TooShort(const std::filesystem::path& path, std::size_t size, Language language) {
    const std::string bytes = std::to_string(size);
    return CannotOpen(path,
                      language == Language::Chinese
                          ? "它只有 " + bytes + " 字节，对讲机文件为 1024 字节"
                          : "it holds " + bytes + " bytes, a radio file holds 1024",
                      language);
}

std::string TooLong(const std::filesystem::path& path, std::uintmax_t size, Language language) {
    const std::string bytes = std::to_string(size);
    if (language == Language::Chinese) {
        return "“" + path.string() + "”有 " + bytes +
               " 字节；对讲机文件为 1024 字节；只使用前 1024 字节";
    }
    return "\"" + path.string() + "\" holds " + bytes +
           " bytes; a radio file holds 1024; only the first 1024 are used";
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
    m_openedSize = image::kSize;
    m_doubtful = false;
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
        return Status::Error(TooShort(path, file.bytes.size(), context.language));
    }
    std::copy(file.bytes.begin(), file.bytes.end(), m_image.begin());
    m_openedSize = file.size;
    m_doubtful = !ImageDoubts(m_image, context.language).empty();
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
    m_openedSize = image::kSize;
    m_doubtful = false;
    return Status::Ok();
}

std::string CProgramDoc::OpenWarning(Language language) const {
    std::string warning =
        m_openedSize != image::kSize ? TooLong(m_pathName, m_openedSize, language) : "";
    const std::string doubt =
        m_doubtful ? RadioFileDoubt(m_pathName.string(), m_image, language) : "";
    if (!doubt.empty()) {
        warning += (warning.empty() ? "" : "\n") + doubt;
    }
    return warning;
}

}  // namespace radioprog
