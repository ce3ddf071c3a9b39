#include "core/fleet/fleet_texts.h"

#include <cstdio>

#include "core/link/block_transfer.h"
#include "core/link/link_messages.h"

namespace radioprog {
namespace {

std::string Hex(std::size_t address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04zX", address);
    return text;
}

std::string Addresses(const std::vector<std::size_t>& addresses, std::string_view separator) {
    std::string text;
    for (const std::size_t address : addresses) {
        if (!text.empty()) {
            text += separator;
        }
        text += Hex(address);
    }
    return text;
}

std::string Of62(int blocksDone) {
    return " " + BlocksDoneDetail(blocksDone);
}

BilingualText PhaseWords(FleetPhase phase) {
    switch (phase) {
        case FleetPhase::WaitingForRadio:
            return {"Waiting for a radio", "等待对讲机"};
        case FleetPhase::BackingUp:
            return {"Backing up", "正在备份"};
        case FleetPhase::Writing:
            return {"Writing", "正在写入"};
        case FleetPhase::Verifying:
            return {"Verifying", "正在校验"};
        case FleetPhase::WaitingForRemoval:
            return {"Done, unplug the radio", "完成，请拔下对讲机"};
        case FleetPhase::Finished:
            return {"Finished", "已结束"};
    }
    return {};
}

BilingualText ResultWords(RadioResultKind kind) {
    switch (kind) {
        case RadioResultKind::Verified:
            return {"Verified", "已校验"};
        case RadioResultKind::VerifyFailed:
            return {"Verify failed", "校验失败"};
        case RadioResultKind::WriteIncomplete:
            return {"Write incomplete", "写入未完成"};
        case RadioResultKind::BackupFailed:
            return {"Backup failed, nothing written", "备份失败，未写入"};
        case RadioResultKind::PasswordError:
            return {"Password Error", "密码错误"};
        case RadioResultKind::CommunicationError:
            return {"Communication error, nothing written", "通信错误，未写入"};
        case RadioResultKind::PortError:
            return {"The port could not be opened", "无法打开端口"};
        case RadioResultKind::Cancelled:
            return {"Cancelled", "已取消"};
    }
    return {};
}

}  // namespace

std::string PortStateText(const PortState& state, Language language) {
    std::string text(PhaseWords(state.phase).In(language));
    switch (state.phase) {
        case FleetPhase::BackingUp:
        case FleetPhase::Writing:
        case FleetPhase::Verifying:
            return text + Of62(state.blocksDone);
        case FleetPhase::WaitingForRadio:
            if (!state.note.empty()) {
                text += std::string(BilingualText{" (", "（"}.In(language)) + state.note +
                        std::string(BilingualText{")", "）"}.In(language));
            }
            return text;
        case FleetPhase::WaitingForRemoval:
        case FleetPhase::Finished:
            return text + " (" + std::to_string(state.radiosDone) + ")";
    }
    return text;
}

std::string RadioResultText(const RadioOutcome& outcome, Language language) {
    std::string text(ResultWords(outcome.kind).In(language));
    switch (outcome.kind) {
        case RadioResultKind::VerifyFailed:
            if (!outcome.differences.empty()) {
                return text +
                       std::string(BilingualText{": differs at ", "：不同的地址 "}.In(language)) +
                       Addresses(outcome.differences, ", ");
            }
            break;
        case RadioResultKind::WriteIncomplete:
        case RadioResultKind::Cancelled:
            if (outcome.blocksDone > 0) {
                return text + ":" + Of62(outcome.blocksDone);
            }
            break;
        default:
            break;
    }
    return outcome.detail.empty() ? text : text + ": " + outcome.detail;
}

std::string_view RadioResultWord(RadioResultKind kind) {
    switch (kind) {
        case RadioResultKind::Verified:
            return "verified";
        case RadioResultKind::VerifyFailed:
            return "verify failed";
        case RadioResultKind::WriteIncomplete:
            return "write incomplete";
        case RadioResultKind::BackupFailed:
            return "backup failed";
        case RadioResultKind::PasswordError:
            return "password error";
        case RadioResultKind::CommunicationError:
            return "communication error";
        case RadioResultKind::PortError:
            return "port error";
        case RadioResultKind::Cancelled:
            return "cancelled";
    }
    return {};
}

std::string RadioResultDetail(const RadioOutcome& outcome) {
    if (outcome.kind == RadioResultKind::VerifyFailed && !outcome.differences.empty()) {
        return "differs at " + Addresses(outcome.differences, " ");
    }
    if ((outcome.kind == RadioResultKind::WriteIncomplete ||
         outcome.kind == RadioResultKind::Cancelled) &&
        outcome.blocksDone > 0) {
        return "blocks done " + BlocksDoneDetail(outcome.blocksDone);
    }
    return outcome.detail;
}

std::string FleetSummaryText(const FleetSummary& summary, Language language) {
    const auto number = [](int n) { return std::to_string(n); };
    if (language == Language::Chinese) {
        return number(summary.handled) + " 台对讲机：" + number(summary.verified) + " 台已校验，" +
               number(summary.verifyFailed) + " 台校验失败，" + number(summary.incomplete) +
               " 台写入未完成，" + number(summary.otherFailures) + " 台其他失败" +
               (summary.cancelled ? "（已取消）" : "");
    }
    return number(summary.handled) + (summary.handled == 1 ? " radio: " : " radios: ") +
           number(summary.verified) + " verified, " + number(summary.verifyFailed) +
           " verify failed, " + number(summary.incomplete) + " write incomplete, " +
           number(summary.otherFailures) + " other failures" +
           (summary.cancelled ? " (cancelled)" : "");
}

}  // namespace radioprog
