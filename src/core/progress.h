#pragma once

#include <cstdint>

namespace quillmark::core {

// What an engine tells its caller while it runs. The engines call these at the points their tool
// defines; the windows turn them into panel captions and bars, the command line into a progress bar.
// Calls come from the thread the engine runs on.
class ProgressSink
{
public:
    virtual ~ProgressSink() = default;

    // The bar's percentage: read position / file length * 100. May be slightly above 100.
    virtual void percent(double value) { (void)value; }
    // A running count (the tools that show one while they work).
    virtual void count(std::int64_t value) { (void)value; }
    // The engine moved to its next phase; the numbering is the engine's own.
    virtual void phase(int value) { (void)value; }
};

// A sink that ignores everything.
inline ProgressSink& nullProgress()
{
    static ProgressSink sink;
    return sink;
}

} // namespace quillmark::core
