#include "core/base/string_table.h"

namespace radioprog {

std::string_view StringText(StringId id, Language language) {
    switch (id) {
        case StringId::OutOfRange:
            return BilingualText{"Out of range,please input again.", "超出范围，请重新输入。"}.In(
                language);
        case StringId::OffStep:
            return BilingualText{
                "Error data Value, please input according the step value(6.25K/5k).",
                "数据错误，请按步进值(6.25K/5K)输入。"}
                .In(language);
        case StringId::Caution:
            return BilingualText{"Caution", "注意"}.In(language);
        case StringId::AllDataCleared:
            return BilingualText{"All data will be Cleared!", "所有数据将被清除！"}.In(language);
        case StringId::CommunicationError:
            return BilingualText{
                "Communication Error,Please check all the connections and the radio power",
                "通信错误，请检查所有连接和对讲机电源"}
                .In(language);
        case StringId::CouldNotOpenPort:
            return BilingualText{
                "Could not Open the Port,Please check whether the Port are occupied or the device "
                "are ok",
                "无法打开端口，请检查端口是否被占用或设备是否正常"}
                .In(language);
        case StringId::ProgramInterrupt:
            return BilingualText{"Program Interrupt, Please reset the radio and try again",
                                 "编程中断，请重置对讲机后重试"}
                .In(language);
    }
    return {};
}

}  // namespace radioprog
