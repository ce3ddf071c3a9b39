#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "core/doc/port_map.h"
#include "core/link/port_names.h"
#include "core/ports/fill_text.h"
#include "core/ports/port_listing.h"

namespace radioprog::cli {
namespace {

struct PortsOptions {
    bool json = false;
    std::optional<std::string> lang;
};

struct BindOptions {
    std::string slot;
    std::string device;
};

std::string SlotName(int slot) {
    return "COM" + std::to_string(slot);
}

int ParseSlot(const std::string& text) {
    const std::optional<int> slot = ComSlot(text);
    if (!slot || *slot < kFirstComSlot || *slot > kLastComSlot) {
        throw UsageError(text + " is not one of the ports COM1 to COM4");
    }
    return *slot;
}

std::string Say(const BilingualText& text, Language language) {
    return std::string(text.In(language));
}

nlohmann::json Optional(const std::string& text) {
    return text.empty() ? nlohmann::json(nullptr) : nlohmann::json(text);
}

nlohmann::json PortJson(const PortRow& row, Language language) {
    nlohmann::json port = {{"device", row.port.device.string()},
                           {"name", row.port.name},
                           {"description", DescribePort(row.port, language)},
                           {"byId", Optional(row.port.byId.string())},
                           {"driver", Optional(row.port.driver)},
                           {"usb", nullptr},
                           {"slots", nlohmann::json::array()},
                           {"openable", row.openable},
                           {"reason", Optional(row.reason)}};
    if (const auto& usb = row.port.usb) {
        const std::string id = UsbIdText(usb->id);
        port["usb"] = {{"vendorId", id.substr(0, 4)},
                       {"productId", id.substr(5)},
                       {"manufacturer", usb->manufacturer},
                       {"product", usb->product},
                       {"serial", usb->serial}};
    }
    for (const int slot : row.comSlots) {
        port["slots"].push_back(SlotName(slot));
    }
    return port;
}

void PrintPort(const PortRow& row, Language language) {
    std::cout << PortLine(row.port, language) << '\n';
    if (!row.port.byId.empty()) {
        std::cout << "    by-id:  " << row.port.byId.string() << '\n';
    }
    if (!row.port.driver.empty()) {
        std::cout << "    " << Say({"driver: ", "驱动：  "}, language) << row.port.driver << '\n';
    }
    if (!row.comSlots.empty()) {
        std::cout << "    " << Say({"slot:   ", "端口：  "}, language);
        for (std::size_t i = 0; i < row.comSlots.size(); ++i) {
            std::cout << (i == 0 ? "" : ", ") << SlotName(row.comSlots[i]);
        }
        std::cout << '\n';
    }
    std::cout << "    "
              << (row.openable
                      ? Say({"can be opened now", "现在可以打开"}, language)
                      : Say({"cannot be opened now: ", "现在无法打开："}, language) + row.reason)
              << '\n';
}

int RunPorts(const GlobalOptions& global, const PortsOptions& options) {
    auto context = MakeContext(global, options.lang);
    const Language language = context->language;
    const std::vector<PortRow> rows = ListPorts(PortEnvironment::Current(context->system),
                                                StoredPortBinding(context->userStore), language);
    if (options.json) {
        nlohmann::json out = {{"ports", nlohmann::json::array()},
                              {"slots", nlohmann::json::array()}};
        for (const PortRow& row : rows) {
            out["ports"].push_back(PortJson(row, language));
        }
        for (int slot = kFirstComSlot; slot <= kLastComSlot; ++slot) {
            out["slots"].push_back(
                {{"slot", SlotName(slot)},
                 {"device", PortDevice(context->userStore, slot)},
                 {"bound", StoredPortDevice(context->userStore, slot).has_value()}});
        }
        std::cout << out.dump(2) << '\n';
        return kExitOk;
    }
    if (rows.empty()) {
        std::cout << Say({"No serial port found.", "未找到串口。"}, language) << '\n';
    }
    for (const PortRow& row : rows) {
        PrintPort(row, language);
    }
    std::cout << '\n';
    for (int slot = kFirstComSlot; slot <= kLastComSlot; ++slot) {
        const bool bound = StoredPortDevice(context->userStore, slot).has_value();
        std::cout << SlotName(slot) << "  " << PortDevice(context->userStore, slot)
                  << (bound ? "" : Say({" (default)", "（默认）"}, language)) << '\n';
    }
    return kExitOk;
}

// A bare name such as ttyUSB0 is a device of /dev.
std::filesystem::path DevicePath(const std::string& text, const SystemRoots& roots) {
    return text.find('/') == std::string::npos ? roots.dev / text : std::filesystem::path(text);
}

int ShowSlot(const AppContext& context, int slot) {
    const std::string device = PortDevice(context.userStore, slot);
    const DiscoveredPort port =
        IdentifyDevice(device, DiscoverPorts(context.system), context.system);
    const std::string description = DescribePort(port, context.language);
    std::cout << SlotName(slot) << "  " << device
              << (port.device.string() != device ? " -> " + port.device.string() : "")
              << (description.empty() ? "" : " · " + description) << '\n';
    return kExitOk;
}

int RunBind(const GlobalOptions& global, const BindOptions& options) {
    const int slot = ParseSlot(options.slot);
    auto context = MakeContext(global, std::nullopt);
    const std::filesystem::path device = DevicePath(options.device, context->system);
    std::error_code error;
    if (!std::filesystem::exists(device, error)) {
        Report(FillText({"Note: {} does not exist now; the slot is bound all the same.",
                         "注意：{} 现在不存在；端口仍已绑定。"},
                        context->language, {device.string()}));
    }
    if (Status bound = BindPort(context->userStore, slot, device, context->system); !bound) {
        Report(bound.message());
        return kExitFileError;
    }
    return ShowSlot(*context, slot);
}

int RunUnbind(const GlobalOptions& global, const BindOptions& options) {
    const int slot = ParseSlot(options.slot);
    auto context = MakeContext(global, std::nullopt);
    if (Status unbound = SetPortDevice(context->userStore, slot, ""); !unbound) {
        Report(unbound.message());
        return kExitFileError;
    }
    return ShowSlot(*context, slot);
}

}  // namespace

std::vector<Subcommand> AddPortsCommands(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<PortsOptions>();
    CLI::App* ports = app.add_subcommand(
        "ports", "List the serial ports, which of COM1-COM4 stands for each, and whether it opens");
    ports->require_subcommand(0, 1);
    ports->add_flag("--json", options->json, "Print one JSON object");
    ports->add_option("--lang", options->lang, "Language of the texts: en or zh")
        ->check(CLI::IsMember({"en", "zh"}));

    auto bind = std::make_shared<BindOptions>();
    CLI::App* bindSub = ports->add_subcommand(
        "bind", "Bind COM1-COM4 to a device, by its /dev/serial/by-id link when it has one");
    bindSub->add_option("slot", bind->slot, "COM1 to COM4")->required();
    bindSub->add_option("device", bind->device, "The device, such as /dev/ttyUSB0 or ttyUSB0")
        ->required();

    auto unbind = std::make_shared<BindOptions>();
    CLI::App* unbindSub = ports->add_subcommand("unbind", "Give COM1-COM4 its default device back");
    unbindSub->add_option("slot", unbind->slot, "COM1 to COM4")->required();

    return {{bindSub, [&global, bind] { return RunBind(global, *bind); }},
            {unbindSub, [&global, unbind] { return RunUnbind(global, *unbind); }},
            {ports, [&global, options] { return RunPorts(global, *options); }}};
}

}  // namespace radioprog::cli
