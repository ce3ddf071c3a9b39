#include "core/radio/dialog_controls.h"

#include "core/radio/optional_features.h"
#include "core/radio/scan_info.h"

namespace radioprog {

ControlName NameOf(OptionControl control) {
    switch (control) {
        case OptionControl::TimeOutTimer:
            return {"timeOutTimer", {"Time-Out Timer", "超时定时器"}};
        case OptionControl::TotPreAlert:
            return {"totPreAlert", {"TOT Pre-Alert", "超时预警"}};
        case OptionControl::SquelchLevel:
            return {"squelchLevel", {"Squelch Level", "静噪电平"}};
        case OptionControl::VoiceAnnunciation:
            return {"voiceAnnunciation", {"Voice Annunciation", "语音报号"}};
        case OptionControl::IdCode:
            return {"idCode", {"ID Code", "ID码"}};
        case OptionControl::Vox:
            return {"vox", {"Vox", "声控"}};
        case OptionControl::VoxGainLevel:
            return {"voxGainLevel", {"Vox Gain Level", "声控增益电平"}};
        case OptionControl::VoxDelayTime:
            return {"voxDelayTime", {"Vox Delay Time", "声控延时时间"}};
        case OptionControl::PttId:
            return {"pttId", {"PTT ID", "PTT ID"}};
        case OptionControl::StunCode:
            return {"stunCode", {"Stun Code", "遥毙码"}};
        case OptionControl::Beep:
            return {"beep", {"Beep", "提示音"}};
        case OptionControl::BatterySaver:
            return {"batterySaver", {"Battery Saver", "电池省电"}};
        case OptionControl::RemoveStunCode:
            break;
    }
    return {"removeStunCode", {"Remove Stun Code", "解除遥毙码"}};
}

ControlName NameOf(ScanControl control) {
    switch (control) {
        case ScanControl::Priority:
            return {"priority", {"Priority", "优先模式"}};
        case ScanControl::PriorityChannel:
            return {"priorityChannel", {"Priority Channel", "优先信道"}};
        case ScanControl::LookBackTimeA:
            return {"lookBackTimeA", {"Look Back Time A", "回看时间 A"}};
        case ScanControl::LookBackTimeB:
            return {"lookBackTimeB", {"Look Back Time B", "回看时间 B"}};
        case ScanControl::RevertChannel:
            return {"revertChannel", {"Revert Channel", "返回信道"}};
        case ScanControl::DropoutDelayTime:
            return {"dropoutDelayTime", {"Dropout Delay Time", "信号消失延时"}};
        case ScanControl::TxDwellTime:
            break;
    }
    return {"txDwellTime", {"Tx Dwell Time", "发射驻留时间"}};
}

ShownDialog ShowOptionalFeatures(const RadioImage& image, Language language) {
    const OptionalFeatures f = OptionalFeatures::Load(image);
    const auto item = [language](OptionList list, int index) {
        return ControlValue(OptionItemText(list, index, language));
    };
    using C = OptionControl;
    return {"options",
            kOptionalFeaturesCaption,
            {
                {NameOf(C::TimeOutTimer), item(OptionList::TimeOutTimer, f.timeOutTimer)},
                {NameOf(C::TotPreAlert), item(OptionList::TotPreAlert, f.totPreAlert)},
                {NameOf(C::SquelchLevel), item(OptionList::SquelchLevel, f.squelchLevel)},
                {NameOf(C::VoiceAnnunciation),
                 item(OptionList::VoiceAnnunciation, f.voiceAnnunciation)},
                {NameOf(C::IdCode), f.idCode},
                {NameOf(C::Vox), item(OptionList::Vox, f.vox)},
                {NameOf(C::VoxGainLevel), item(OptionList::VoxGainLevel, f.voxGainLevel)},
                {NameOf(C::VoxDelayTime), item(OptionList::VoxDelayTime, f.voxDelayTime)},
                {NameOf(C::PttId), item(OptionList::PttId, f.pttId)},
                {NameOf(C::StunCode), f.stunCode},
                {NameOf(C::Beep), f.beep},
                {NameOf(C::BatterySaver), f.batterySaver},
                {NameOf(C::RemoveStunCode), f.removeStunCode},
            }};
}

ShownDialog ShowScanInfo(const RadioImage& image, Language language) {
    const ScanInfo info = ScanInfo::Load(image);
    using C = ScanControl;
    return {"scan",
            kScanInfoCaption,
            {
                {NameOf(C::Priority), SelectedItem(PriorityItems(language), info.priority)},
                {NameOf(C::PriorityChannel), info.priorityChannel},
                {NameOf(C::LookBackTimeA), info.lookBackTimeA},
                {NameOf(C::LookBackTimeB), info.lookBackTimeB},
                {NameOf(C::RevertChannel),
                 SelectedItem(RevertItems(info.priority, language), info.revertChannel)},
                {NameOf(C::DropoutDelayTime), info.dropoutDelayTime},
                {NameOf(C::TxDwellTime), info.txDwellTime},
            }};
}

std::vector<ShownDialog> ShowSettingsDialogs(const RadioImage& image, Language language) {
    return {ShowOptionalFeatures(image, language), ShowScanInfo(image, language)};
}

}  // namespace radioprog
