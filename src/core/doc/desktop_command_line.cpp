#include "core/doc/desktop_command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace radioprog {
namespace {

// Qt's standard options that take a value, and those that do not (QGuiApplication,
// QApplication and the X11 platform's -display).
constexpr std::array<std::string_view, 11> kQtOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "style",         "stylesheet", "session",
    "display"};
constexpr std::array<std::string_view, 2> kQtOptionsAlone = {"reverse", "widgetcount"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

void Fail(DesktopCommandLine& line, const BilingualText& text, std::string_view what,
          Language language) {
    line.action = DesktopCommandLine::Action::Error;
    line.error = std::string(text.In(language)) + std::string(what);
}

}  // namespace

DesktopCommandLine ParseDesktopCommandLine(const std::vector<std::string>& arguments,
                                           Language language) {
    DesktopCommandLine line;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool option = !onlyFiles && argument.size() > 1 && argument.front() == '-';
        if (!option) {
            if (line.file) {
                Fail(line, {"only one file can be opened: ", "只能打开一个文件："}, argument,
                     language);
                return line;
            }
            line.file = argument;
            continue;
        }
        if (argument == "--") {
            onlyFiles = true;
            continue;
        }
        const std::string_view name =
            std::string_view(argument).substr(argument.starts_with("--") ? 2 : 1);
        const auto equals = name.find('=');
        const std::string_view key = name.substr(0, equals);
        const bool twoDashes = argument.starts_with("--");
        if (twoDashes && (key == "help" || key == "version") && equals == std::string_view::npos) {
            line.action = key == "help" ? DesktopCommandLine::Action::Help
                                        : DesktopCommandLine::Action::Version;
            return line;
        }
        if (twoDashes && key == "demo" && equals == std::string_view::npos) {
            line.demo = true;
            continue;
        }
        if (twoDashes && key == "appdir") {
            if (equals != std::string_view::npos) {
                line.appDir = std::string(name.substr(equals + 1));
            } else if (i + 1 < arguments.size()) {
                line.appDir = arguments[++i];
            } else {
                Fail(line, {"the option needs a folder: ", "该选项需要一个文件夹："}, argument,
                     language);
                return line;
            }
            continue;
        }
        if (equals == std::string_view::npos && Contains(kQtOptionsAlone, key)) {
            line.qtArguments.push_back(argument);
            continue;
        }
        if (equals == std::string_view::npos && Contains(kQtOptionsWithValue, key)) {
            if (i + 1 >= arguments.size()) {
                Fail(line, {"the option needs a value: ", "该选项需要一个值："}, argument,
                     language);
                return line;
            }
            line.qtArguments.push_back(argument);
            line.qtArguments.push_back(arguments[++i]);
            continue;
        }
        Fail(line, {"unknown option: ", "未知选项："}, argument, language);
        return line;
    }
    return line;
}

std::string DesktopHelp(Language language) {
    if (language == Language::Chinese) {
        return "用法：radioprog [选项] [文件.dat]\n"
               "\n"
               "16 信道甚高频手持对讲机的写频软件：读取、编辑并写回对讲机的存储器。\n"
               "\n"
               "选项：\n"
               "  --appdir 文件夹  从该文件夹读取 Program.ini、语言目录、帮助页和图片，\n"
               "                   并把设置写回该文件夹\n"
               "  --demo           COM1 为程序内模拟的对讲机\n"
               "  --help           显示本帮助并退出\n"
               "  --version        显示版本并退出\n"
               "  另可使用 Qt 的标准选项，例如 -platform、-style、-reverse。\n"
               "\n"
               "文件.dat 为要打开的存储器文件；没有文件时程序新建一个文档。\n";
    }
    return "Usage: radioprog [OPTION]... [FILE.dat]\n"
           "\n"
           "Programming software for the 16-channel VHF hand-held radio: read, edit and write\n"
           "back the radio's memory.\n"
           "\n"
           "Options:\n"
           "  --appdir DIR   read Program.ini, the catalogues, the help pages and the\n"
           "                 pictures from DIR, and write the settings back there\n"
           "  --demo         COM1 is a radio simulated inside the program\n"
           "  --help         show this help and exit\n"
           "  --version      show the version and exit\n"
           "  Qt's standard options, such as -platform, -style and -reverse, are taken too.\n"
           "\n"
           "FILE.dat is the memory file to open; without one the program starts a new\n"
           "document.\n";
}

}  // namespace radioprog
