#include "password_source.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "cli_common.h"
#include "core/base/locale_language.h"
#include "standard_streams.h"

namespace radioprog::cli {

void AddPasswordOptions(CLI::App& sub, PasswordSource& source, const std::string& description) {
    const Language language = LanguageOfEnvironment();
    CLI::Option* password = sub.add_option("--password", source.password, description);
    sub.add_option("--password-file", source.file,
                   std::string(BilingualText{"Read the password from the first line of FILE (- "
                                             "for standard input); safer than --password",
                                             "从文件 FILE 的第一行读取密码（- 为标准输入）；"
                                             "比 --password 更安全"}
                                   .In(language)))
        ->type_name("FILE")
        ->excludes(password);
}

std::string ResolvePassword(const PasswordSource& source, Language language) {
    if (source.password) {
        return *source.password;
    }
    if (source.file) {
        const auto fail = [&](const std::string& cause) {
            return FileError(
                std::string(BilingualText{"Cannot read the password file", "无法读取密码文件"}.In(
                    language)) +
                " \"" + *source.file + "\": " + cause);
        };
        const std::filesystem::path path = InputPath(*source.file);
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            throw fail(std::string(BilingualText{"it is a folder", "它是文件夹"}.In(language)));
        }
        std::ifstream in(path);
        if (!in) {
            throw fail(std::strerror(errno));
        }
        std::string line;
        std::getline(in, line);
        if (in.bad()) {
            throw fail(std::strerror(errno));
        }
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        return line;
    }
    const char* fromEnvironment = std::getenv(kPasswordVariable);
    return fromEnvironment == nullptr ? std::string() : std::string(fromEnvironment);
}

PackedPassword LoginPassword(const PasswordSource& source, Language language) {
    const std::optional<PackedPassword> packed = PackPassword(ResolvePassword(source, language));
    if (packed) {
        return *packed;
    }
    const std::string from = source.password ? "--password"
                             : source.file   ? "--password-file"
                                             : kPasswordVariable;
    throw UsageError(
        from +
        std::string(BilingualText{" takes up to six digits", " 最多为六位数字"}.In(language)));
}

}  // namespace radioprog::cli
