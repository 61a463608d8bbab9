#include "ports/open_file_prompt.h"

namespace rovanta {

std::optional<std::string> askOpenFile(const OpenFileRequest& request)
{
    OpenFilePrompt* prompt = InstalledOpenFilePrompt::get();
    if (prompt == nullptr)
        return std::nullopt;
    return prompt->askOpenFile(request);
}

} // namespace rovanta
