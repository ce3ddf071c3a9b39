// What the undo history costs: the time of one cell commit with its step recorded, of one undo
// and one redo, and the memory the kept steps take (200, the least the history keeps, and the
// whole history). A step holds the whole document as it was, so its cost does not depend on the
// edit. Goals: a step well under a millisecond, and 200 steps within a few megabytes.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "core/doc/app_context.h"
#include "core/doc/grid_refresh.h"
#include "core/doc/program_doc.h"

using namespace radioprog;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kGoalMicroseconds = 100;
constexpr double kGoalMegabytesFor200 = 4;

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// Commits @p steps cells, each a real change; returns the microseconds per commit.
double Commit(CProgramDoc& doc, AppContext& context, int steps) {
    const auto start = Clock::now();
    for (int i = 0; i < steps; ++i) {
        const std::string rx = std::to_string(136 + i % 37) + ".0125";
        (void)doc.CommitCell(1 + i % 16, 1, rx, context.band, context.language);
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / steps;
}

}  // namespace

int main() {
    AppContext context("/dev/null");
    CProgramDoc doc;
    doc.OnNewDocument(context);
    (void)RefreshGridFromImage(doc, context);
    // Every channel filled in Chinese, whose texts are longer than a short string holds.
    context.language = Language::Chinese;
    Commit(doc, context, 16);

    const std::size_t before = HeapInUse();
    Commit(doc, context, 200);
    const double megabytes200 = static_cast<double>(HeapInUse() - before) / (1024.0 * 1024.0);
    const double commit = Commit(doc, context, static_cast<int>(UndoHistory::kDepth) * 4);
    const double megabytesAll = static_cast<double>(HeapInUse() - before) / (1024.0 * 1024.0);

    const int rounds = static_cast<int>(doc.history().UndoCount());
    auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        doc.Undo(context.band);
    }
    const double undo =
        std::chrono::duration<double, std::micro>(Clock::now() - start).count() / rounds;
    start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        doc.Redo(context.band);
    }
    const double redo =
        std::chrono::duration<double, std::micro>(Clock::now() - start).count() / rounds;

    std::printf("undo history: %zu steps kept\n", UndoHistory::kDepth);
    std::printf("  commit of a cell with its step  %8.2f us  (goal < %.0f us)\n", commit,
                kGoalMicroseconds);
    std::printf("  undo                            %8.2f us\n", undo);
    std::printf("  redo                            %8.2f us\n", redo);
    std::printf("  memory of 200 steps             %8.2f MB  (goal < %.0f MB)\n", megabytes200,
                kGoalMegabytesFor200);
    std::printf("  memory of %zu steps             %8.2f MB\n", UndoHistory::kDepth, megabytesAll);
    const bool met = commit < kGoalMicroseconds && undo < kGoalMicroseconds &&
                     redo < kGoalMicroseconds && megabytes200 < kGoalMegabytesFor200;
    std::printf("%s\n", met ? "goals met" : "GOALS MISSED");
    return met ? 0 : 1;
}
