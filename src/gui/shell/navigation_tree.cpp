#include "gui/shell/navigation_tree.h"

namespace radioprog {

BilingualText NavigationLabel(NavigationEntry entry) {
    switch (entry) {
        case NavigationEntry::ProductInformation:
            return {"Product Information", "类型设置"};
        case NavigationEntry::ChannelInformation:
            return {"Channel Information", "信道信息"};
        case NavigationEntry::OptionalFeatures:
            return {"Optional Features", "可选功能"};
    }
    return {};
}

std::optional<NavigationEntry> NavigationEntryFor(std::string_view text, Language language) {
    for (NavigationEntry entry : kNavigationEntries) {
        if (text == NavigationLabel(entry).In(language)) {
            return entry;
        }
    }
    return std::nullopt;
}

}  // namespace radioprog
