#include "scripted_dialogs.h"

namespace rovanta::test {
namespace {
// The next scripted choice, or a cancel once the script is used up.
std::optional<std::string> nextChoice(std::deque<std::optional<std::string>>& choices)
{
    if (choices.empty())
        return std::nullopt;
    auto next = choices.front();
    choices.pop_front();
    return next;
}
} // namespace

ScriptedAnswerer::ScriptedAnswerer() = default;
ScriptedAnswerer::~ScriptedAnswerer() = default;

int ScriptedAnswerer::answer(const std::string& text, MessageType type)
{
    shown.push_back({text, type});
    if (answers.empty())
        return type == kMessageYesNo ? kAnswerNo : kAnswerOk;
    const int next = answers.front();
    answers.pop_front();
    return next;
}

ScriptedSavePrompt::ScriptedSavePrompt() = default;
ScriptedSavePrompt::~ScriptedSavePrompt() = default;

std::optional<std::string> ScriptedSavePrompt::askSaveFile(const SaveFileRequest& request)
{
    requests.push_back(request);
    return nextChoice(choices);
}

ScriptedOpenPrompt::ScriptedOpenPrompt() = default;
ScriptedOpenPrompt::~ScriptedOpenPrompt() = default;

std::optional<std::string> ScriptedOpenPrompt::askOpenFile(const OpenFileRequest& request)
{
    requests.push_back(request);
    return nextChoice(choices);
}

ScriptedRenamePrompt::ScriptedRenamePrompt() = default;
ScriptedRenamePrompt::~ScriptedRenamePrompt() = default;

std::optional<std::string> ScriptedRenamePrompt::askNewName(const std::string& oldName)
{
    asked.push_back(oldName);
    return nextChoice(choices);
}

} // namespace rovanta::test
