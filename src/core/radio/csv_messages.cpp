#include "core/radio/csv_messages.h"

namespace radioprog {
namespace {

BilingualText Template(CsvMessageId id) {
    using Id = CsvMessageId;
    switch (id) {
        case Id::NoFrequency:
            return {"the row has no Frequency", "该行没有频率 (Frequency)"};
        case Id::NotAFrequency:
            return {"%1 \"%2\" is not a frequency in MHz or kHz",
                    "%1 \"%2\" 不是以 MHz 或 kHz 表示的频率"};
        case Id::RxOutOfBand:
            return {"the receive frequency %1 MHz is outside the band %2-%3 MHz",
                    "接收频率 %1 MHz 超出频段 %2-%3 MHz"};
        case Id::RxOffStep:
            return {"the receive frequency %1 MHz is off the 5 kHz and 6.25 kHz steps",
                    "接收频率 %1 MHz 不在 5 kHz 或 6.25 kHz 步进上"};
        case Id::TxOutOfBand:
            return {"the transmit frequency %1 MHz is outside the band %2-%3 MHz",
                    "发射频率 %1 MHz 超出频段 %2-%3 MHz"};
        case Id::TxOffStep:
            return {"the transmit frequency %1 MHz is off the 5 kHz and 6.25 kHz steps",
                    "发射频率 %1 MHz 不在 5 kHz 或 6.25 kHz 步进上"};
        case Id::DuplexOff:
            return {
                "Duplex off (receive only) cannot be stored: every channel of this radio "
                "transmits",
                "无法保存 Duplex off（仅接收）：本机每个信道都有发射频率"};
        case Id::UnknownDuplex:
            return {"Duplex \"%1\" is none of \"\", +, -, split and off",
                    "Duplex \"%1\" 不是 \"\"、+、-、split 或 off"};
        case Id::SplitWithoutTx:
            return {"Duplex split needs the transmit frequency in Offset, which holds \"%1\"",
                    "Duplex split 需要在 Offset 中给出发射频率，而它是 \"%1\""};
        case Id::ToneNotOffered:
            return {"%1 %2 Hz is a tone this radio does not have", "%1 %2 Hz 不是本机具有的亚音"};
        case Id::NotATone:
            return {"%1 \"%2\" is not a tone in Hz", "%1 \"%2\" 不是以 Hz 表示的亚音"};
        case Id::DcsCodeNotInSet:
            return {"%1 %2 is a DCS code this radio does not have", "%1 %2 不是本机具有的 DCS 码"};
        case Id::NotADcsCode:
            return {"%1 \"%2\" is not a DCS code", "%1 \"%2\" 不是 DCS 码"};
        case Id::UnknownPolarity:
            return {"DtcsPolarity \"%1\" is none of NN, NR, RN and RR",
                    "DtcsPolarity \"%1\" 不是 NN、NR、RN 或 RR"};
        case Id::ReverseSquelch:
            return {"reverse squelch (%1) cannot be stored", "无法保存反向静噪 (%1)"};
        case Id::UnknownToneMode:
            return {"Tone \"%1\" is none of \"\", Tone, TSQL, DTCS and Cross",
                    "Tone \"%1\" 不是 \"\"、Tone、TSQL、DTCS 或 Cross"};
        case Id::UnknownCrossMode:
            return {"CrossMode \"%1\" is not a cross mode", "CrossMode \"%1\" 不是交叉模式"};
        case Id::UnsupportedMode:
            return {"mode %1 cannot be stored: this radio has FM (Wide) and NFM (Narrow)",
                    "无法保存模式 %1：本机只有 FM（宽）和 NFM（窄）"};
        case Id::UnknownSkip:
            return {"Skip \"%1\" is none of \"\", S and P", "Skip \"%1\" 不是 \"\"、S 或 P"};
        case Id::NotAPower:
            return {"Power \"%1\" is neither watts nor High or Low",
                    "Power \"%1\" 既不是瓦数也不是 High 或 Low"};
        case Id::BeyondChannels:
            return {"beyond 16 channels", "超出 16 个信道"};
        case Id::ChannelGivenAlready:
            return {"channel %1 is given already by row %2", "信道 %1 已由第 %2 行给出"};
        case Id::NameDropped:
            return {"Name \"%1\" dropped: channels of this radio have no names",
                    "已舍弃名称 \"%1\"：本机信道没有名称"};
        case Id::CommentDropped:
            return {"Comment \"%1\" dropped", "已舍弃备注 \"%1\""};
        case Id::PriorityScan:
            return {"Skip P (priority scan) stored as in the scan list",
                    "Skip P（优先扫描）按加入扫描保存"};
        case Id::PowerRoundedHigh:
            return {"Power %1 stored as High (5.0W)", "功率 %1 按高 (5.0W) 保存"};
        case Id::PowerRoundedLow:
            return {"Power %1 stored as Low (1.0W)", "功率 %1 按低 (1.0W) 保存"};
        case Id::FrequencyCut:
            return {"%1 %2 stored as %3 MHz: the radio keeps 10 Hz steps",
                    "%1 %2 按 %3 MHz 保存：本机以 10 Hz 为单位"};
        case Id::FileOrder:
            return {"Location \"%1\" is no channel number: rows fill channels in file order",
                    "Location \"%1\" 不是信道号：各行按文件顺序填入信道"};
    }
    return {};
}

}  // namespace

std::string CsvMessageText(const CsvMessage& message, Language language) {
    const std::string_view pattern = Template(message.id).In(language);
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9') {
            const auto index = static_cast<std::size_t>(next - '1');
            if (index < message.args.size()) {
                text += message.args[index];
            }
            ++i;
        } else {
            text.push_back(pattern[i]);
        }
    }
    return text;
}

}  // namespace radioprog
