#include "core/ports/system_roots.h"

namespace radioprog {
namespace {

std::filesystem::path Rebase(const std::filesystem::path& top, const std::filesystem::path& path) {
    return top / path.relative_path();
}

}  // namespace

SystemRoots SystemRoots::Under(const std::filesystem::path& top) {
    SystemRoots roots;
    roots.sys = Rebase(top, roots.sys);
    roots.dev = Rebase(top, roots.dev);
    roots.proc = Rebase(top, roots.proc);
    roots.etc = Rebase(top, roots.etc);
    for (auto& folder : roots.udevRules) {
        folder = Rebase(top, folder);
    }
    for (auto& folder : roots.programs) {
        folder = Rebase(top, folder);
    }
    return roots;
}

}  // namespace radioprog
