#include "core/merge.h"

#include "core/input.h"
#include "core/output.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quillmark::core {

std::optional<CheckFailure> checkMerge(const MergeParams& params, const FileLookup& exists)
{
    if (params.inputs.empty())
        return CheckFailure { "Please add the files you want to merge.", kExclamation, kMergeListTitle };
    for (const auto& input : params.inputs) {
        if (!exists(input))
            return CheckFailure { "Invalid path or file name for: \r" + input, kExclamation, kMergePathTitle };
    }
    return checkOutputNotInput(params.outputPath, params.inputs, kMergeListTitle);
}

namespace {

// Copies kernel-side in steps this size, so progress moves on very large files.
constexpr std::size_t kKernelStep = std::size_t { 64 } << 20;

class Copier
{
public:
    Copier(
        const MergeParams& params, OutputFile& output, ProgressSink& progress, std::int64_t total, std::int64_t& copied)
        : m_params(params)
        , m_output(output)
        , m_progress(progress)
        , m_total(total)
        , m_copied(copied)
    {
    }

    void copy(InputFile& input)
    {
        bool kernel = m_params.kernelCopy;
        while (kernel) {
            const ssize_t done
                = ::copy_file_range(input.descriptor(), nullptr, m_output.descriptor(), nullptr, kKernelStep, 0);
            if (done > 0) {
                advance(done);
                continue;
            }
            if (done == 0)
                break;
            if (errno == EINTR)
                continue;
            if (!kernelCannotCopy(errno))
                throwCopyError(input, errno);
            kernel = false;
        }
        // The kernel stopped at what it takes for the end, or could not copy at all. Reading on confirms
        // the end: some files (those the system makes up as they are read) tell the kernel copy they are
        // empty while a read gives their bytes.
        if (m_block.empty())
            m_block.resize(std::max<std::size_t>(m_params.blockSize, 1));
        for (;;) {
            const std::size_t got = input.read(m_block.data(), m_block.size());
            if (got == 0)
                break;
            m_output.write(std::string_view(m_block.data(), got));
            m_output.flush();
            advance(static_cast<ssize_t>(got));
        }
    }

private:
    static bool kernelCannotCopy(int error)
    {
        return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF
            || error == EPERM || error == ETXTBSY;
    }

    [[noreturn]] void throwCopyError(const InputFile& input, int error)
    {
        const bool outputSide = error == ENOSPC || error == EDQUOT || error == EFBIG || error == EROFS;
        throw IoError(outputSide ? m_output.path() : input.path(), std::error_code(error, std::generic_category()));
    }

    void advance(ssize_t done)
    {
        m_copied += done;
        if (m_total > 0)
            m_progress.percent(static_cast<double>(m_copied) / static_cast<double>(m_total) * 100.0);
    }

    const MergeParams& m_params;
    OutputFile& m_output;
    ProgressSink& m_progress;
    std::int64_t m_total;
    std::int64_t& m_copied;
    std::vector<char> m_block;
};

std::int64_t totalSize(const std::vector<std::string>& paths)
{
    std::int64_t total = 0;
    for (const auto& path : paths) {
        struct stat info;
        if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            total += info.st_size;
    }
    return total;
}

} // namespace

MergeResult runMerge(const MergeParams& params, ProgressSink& progress)
{
    MergeResult result;
    try {
        // Every block goes straight to the file, so the output needs no buffer of its own.
        OutputFile output(params.outputPath, 1);
        Copier copier(params, output, progress, totalSize(params.inputs), result.bytes);
        for (const auto& path : params.inputs) {
            InputFile input(path);
            copier.copy(input);
            input.close();
        }
        output.close();
    } catch (const IoError& failure) {
        result.error = failure.error();
    } catch (const std::bad_alloc&) {
        result.error = RunError { params.outputPath, std::make_error_code(std::errc::not_enough_memory) };
    }
    return result;
}

} // namespace quillmark::core
