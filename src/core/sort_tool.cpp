#include "core/sort_tool.h"

#include "core/input.h"
#include "core/output.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark::core {

std::string setOutputDir(const std::string& pathName)
{
    const std::size_t last = pathName.rfind('/');
    return last == std::string::npos ? std::string() : pathName.substr(0, last + 1);
}

bool isExistingDirectory(const std::string& path)
{
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

SortWorkFiles sortWorkFiles(const std::string& outputText, const std::string& workingDirectory)
{
    SortWorkFiles files;
    const std::string folder = setOutputDir(outputText);
    files.sortFileName = outputText.substr(folder.size());
    if (!folder.empty() && folder.front() == '/') {
        files.directory = folder;
    } else {
        // A relative folder must still name the same place after the working directory has moved to it.
        files.directory = workingDirectory;
        if (files.directory.empty() || files.directory.back() != '/')
            files.directory += '/';
        files.directory += folder;
    }
    files.outputPath = files.directory + files.sortFileName;
    files.mergeListPath = files.directory + kMergeListName;
    files.dupListPath = files.directory + kDupListName;
    return files;
}

std::optional<CheckFailure> checkSort(const SortParams& params, const std::string& workingDirectory,
    const FileLookup& isFile, const FileLookup& isDirectory)
{
    const std::string folder = setOutputDir(params.outputText);
    if (!folder.empty() && !isDirectory(folder))
        return CheckFailure { "Invalid path for: " + params.outputText, kExclamation, kSortCheckTitle };
    if (params.inputs.empty())
        return CheckFailure { "You must add the files you want to sort.", kOkOnly, kSortCheckTitle };
    for (const auto& input : params.inputs) {
        if (!isFile(input))
            return CheckFailure { "Invalid path or file name for: \r" + input, kExclamation, kSortCheckTitle };
    }
    const SortWorkFiles files = sortWorkFiles(params.outputText, workingDirectory);
    if (auto failure = checkOutputNotInput(files.outputPath, params.inputs, kSortCheckTitle))
        return failure;
    // "merglist.tmp" is created anew before the inputs are read, and the sorter writes "duplist.tmp".
    for (const std::string* work : { &files.mergeListPath, &files.dupListPath }) {
        if (inputSameAsOutput(*work, params.inputs))
            return CheckFailure { "A work file of the sort is one of the files to sort:\r" + *work, kExclamation,
                kSortCheckTitle };
    }
    // The work files are replaced by every run and deleted when the program ends: no place for the sorted list.
    if (files.sortFileName == kMergeListName || files.sortFileName == kDupListName
        || isSameFile(files.outputPath, files.mergeListPath) || isSameFile(files.outputPath, files.dupListPath))
        return CheckFailure { "The output file cannot be a work file of the sort:\r" + params.outputText, kExclamation,
            kSortCheckTitle };
    return std::nullopt;
}

namespace {

// Appends the whole input to the output: by the kernel's own copy where the file systems allow it, in
// blocks through memory otherwise. The output has nothing buffered.
void appendFile(const std::string& path, OutputFile& output, std::vector<char>& block, bool& kernelCopy)
{
    InputFile input(path);
    while (kernelCopy) {
        const ssize_t done
            = ::copy_file_range(input.descriptor(), nullptr, output.descriptor(), nullptr, std::size_t(1) << 30, 0);
        if (done > 0)
            continue;
        if (done == 0) {
            input.close();
            return;
        }
        if (errno == EINTR)
            continue;
        // Not offered here, or a failure: the plain copy goes on from where this one stopped and names the
        // file at fault if the failure is real.
        kernelCopy = false;
    }
    for (;;) {
        const std::size_t got = input.read(block.data(), block.size());
        if (got == 0)
            break;
        output.write(std::string_view(block.data(), got));
    }
    input.close();
}

} // namespace

SortResult runSort(const SortRunParams& params, ProgressSink& progress)
{
    SortResult result;
    try {
        OutputFile mergeList(params.files.mergeListPath, 0);
        std::vector<char> block(kReadBufferSize * 4);
        // Blocks, not the kernel's copy: on ext4 the kernel copies through the page cache, and more slowly.
        bool kernelCopy = false;
        for (const auto& input : params.inputs)
            appendFile(input, mergeList, block, kernelCopy);
        mergeList.close();
    } catch (const IoError& failure) {
        result.error = failure.error();
        return result;
    } catch (const std::bad_alloc&) {
        result.error = RunError { params.files.mergeListPath, std::make_error_code(std::errc::not_enough_memory) };
        return result;
    }
    progress.phase(1);

    SorterParams sorter;
    sorter.inputPath = params.files.mergeListPath;
    sorter.outputPath = params.files.outputPath;
    sorter.duplicatesPath = params.files.dupListPath;
    sorter.memoryBudget = params.memoryBudget;
    sorter.threads = params.threads;
    const SorterResult sorted = runSorter(sorter);
    result.written = sorted.written;
    result.duplicates = sorted.duplicates;
    result.error = sorted.error;
    return result;
}

} // namespace quillmark::core
