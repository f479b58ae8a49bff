#include "core/remove.h"

#include "core/output.h"
#include "core/substring_index.h"

#include <deque>
#include <future>
#include <limits>
#include <memory>
#include <vector>

namespace quillmark::core {

std::optional<CheckFailure> checkRemove(const RemoveParams& params, const FileLookup& exists)
{
    for (const std::string* path : { &params.listPath, &params.removePath }) {
        if (path->empty())
            return CheckFailure { "Invalid path or file name.", kExclamation, kRemoveCheckTitle };
        if (!exists(*path))
            return CheckFailure { "Invalid path or file name .", kExclamation, kRemoveCheckTitle };
    }
    return checkOutputNotInput(params.newPath, { params.listPath, params.removePath }, kRemoveCheckTitle);
}

bool occursIn(std::string_view text, std::string_view item)
{
    return text.find(item) != std::string_view::npos;
}

namespace {
    // Items travel in batches: the reading thread fills one, a worker decides every item of it, and the reading
    // thread then counts and writes the batch in list order, so output and progress are those of a plain pass.
    struct Batch
    {
        std::string bytes;
        std::vector<std::uint32_t> ends;     // end of each item in bytes
        std::vector<std::int64_t> positions; // read position after each item
        std::vector<std::uint8_t> removed;   // the verdict of each non-empty item
    };

    constexpr std::size_t kBatchItems = 16384;
    constexpr std::size_t kBatchesInFlight = 4;
}

RemoveResult runRemove(const RemoveParams& params, ProgressSink& progress)
{
    RemoveResult result;
    try {
        const std::string removeText = readWholeFile(params.removePath);
        const SubstringIndex index(removeText);
        // Declared after the index: on the way out, the futures wait for workers still reading it.
        std::deque<std::pair<std::unique_ptr<Batch>, std::future<void>>> inFlight;
        OutputFile output(params.newPath);
        InputFile list(params.listPath);
        const double length = static_cast<double>(list.size());
        ItemReader reader(list, params.readBufferSize);
        std::int64_t step = 0;

        auto emit = [&](Batch& batch) {
            std::uint32_t begin = 0;
            for (std::size_t i = 0; i < batch.ends.size(); ++i) {
                const std::uint32_t end = batch.ends[i];
                if (result.written == step * 500) {
                    ++step;
                    progress.percent(static_cast<double>(batch.positions[i]) / length * 100.0);
                }
                if (end != begin) {
                    if (batch.removed[i]) {
                        ++result.removed;
                    } else {
                        ++result.written;
                        output.writeLine(std::string_view(batch.bytes.data() + begin, end - begin));
                    }
                }
                begin = end;
            }
        };
        auto decide = [&index](Batch* batch) {
            batch->removed.resize(batch->ends.size());
            std::uint32_t begin = 0;
            for (std::size_t i = 0; i < batch->ends.size(); ++i) {
                const std::uint32_t end = batch->ends[i];
                batch->removed[i] = end != begin
                    && index.contains(std::string_view(batch->bytes.data() + begin, end - begin));
                begin = end;
            }
        };
        auto drainOne = [&] {
            inFlight.front().second.get();
            emit(*inFlight.front().first);
            inFlight.pop_front();
        };

        auto batch = std::make_unique<Batch>();
        std::string_view item;
        bool more = true;
        while (more) {
            more = reader.next(item);
            if (more) {
                // A batch holds at most 4 GiB of item text; a longer item goes on its own.
                if (batch->bytes.size() + item.size() > std::numeric_limits<std::uint32_t>::max()
                    && !batch->ends.empty()) {
                    inFlight.emplace_back(std::move(batch), std::future<void>());
                    Batch* sent = inFlight.back().first.get();
                    inFlight.back().second = std::async(std::launch::async, decide, sent);
                    batch = std::make_unique<Batch>();
                }
                batch->bytes.append(item);
                batch->ends.push_back(static_cast<std::uint32_t>(batch->bytes.size()));
                batch->positions.push_back(reader.position());
            }
            if (batch->ends.size() == kBatchItems || (!more && !batch->ends.empty())) {
                inFlight.emplace_back(std::move(batch), std::future<void>());
                Batch* sent = inFlight.back().first.get();
                inFlight.back().second = std::async(std::launch::async, decide, sent);
                batch = std::make_unique<Batch>();
                while (inFlight.size() >= kBatchesInFlight)
                    drainOne();
            }
        }
        while (!inFlight.empty())
            drainOne();
        list.close();
        output.close();
    } catch (const IoError& failure) {
        result.error = failure.error();
    } catch (const std::bad_alloc&) {
        result.error = RunError { params.removePath, std::make_error_code(std::errc::not_enough_memory) };
    }
    return result;
}

} // namespace quillmark::core
