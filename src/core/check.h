#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillmark::core {

// Message-box style codes as the windows use them: buttons plus icon.
enum BoxStyle : int {
    kOkOnly = 0,
    kYesNo = 4,
    kCritical = 16,
    kQuestion = 32,
    kExclamation = 48,
    kInformation = 64,
};

// What a box answers.
enum BoxAnswer : int {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

// A failed check before a run: the one message box it shows. A CR in text breaks the line.
struct CheckFailure
{
    std::string text;
    int style = kExclamation;
    std::string title;
};

// The refusal of an output that is one of the run's inputs, shown under the tool's check title.
CheckFailure sameFileFailure(const std::string& output, const std::string& title);

// The shared check: the output may not be the same file as any input.
std::optional<CheckFailure> checkOutputNotInput(
    const std::string& output, const std::vector<std::string>& inputs, const std::string& title);

} // namespace quillmark::core
