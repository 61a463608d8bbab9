// Stand-ins for the message, save-file and rename dialogs that answer
// from a script and record what they were asked.
#pragma once

#include "ports/message.h"
#include "ports/open_file_prompt.h"
#include "ports/rename_prompt.h"
#include "ports/save_file_prompt.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace rovanta::test {

struct ShownMessage {
    std::string text;
    MessageType type;
};

/// Answers with the queued answers in turn, then Ok for notices and No for
/// questions. Installed while it lives.
class ScriptedAnswerer : public MessageAnswerer {
public:
    ScriptedAnswerer();
    ~ScriptedAnswerer() override;
    int answer(const std::string& text, MessageType type) override;

    std::deque<int> answers;
    std::vector<ShownMessage> shown;

private:
    ScopedMessageAnswerer install_{*this};
};

/// Answers save requests with the queued paths (nullopt = cancel), then
/// cancels. Installed while it lives.
class ScriptedSavePrompt : public SaveFilePrompt {
public:
    ScriptedSavePrompt();
    ~ScriptedSavePrompt() override;
    std::optional<std::string> askSaveFile(const SaveFileRequest& request) override;

    std::deque<std::optional<std::string>> choices;
    std::vector<SaveFileRequest> requests;

private:
    ScopedSaveFilePrompt install_{*this};
};

/// Answers open requests with the queued paths (nullopt = cancel), then
/// cancels. Installed while it lives.
class ScriptedOpenPrompt : public OpenFilePrompt {
public:
    ScriptedOpenPrompt();
    ~ScriptedOpenPrompt() override;
    std::optional<std::string> askOpenFile(const OpenFileRequest& request) override;

    std::deque<std::optional<std::string>> choices;
    std::vector<OpenFileRequest> requests;

private:
    ScopedOpenFilePrompt install_{*this};
};

/// Answers rename requests with the queued names (nullopt = cancel), then
/// cancels. Installed while it lives.
class ScriptedRenamePrompt : public RenamePrompt {
public:
    ScriptedRenamePrompt();
    ~ScriptedRenamePrompt() override;
    std::optional<std::string> askNewName(const std::string& oldName) override;

    std::deque<std::optional<std::string>> choices;
    std::vector<std::string> asked;

private:
    ScopedRenamePrompt install_{*this};
};

} // namespace rovanta::test
