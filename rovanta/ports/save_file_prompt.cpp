#include "ports/save_file_prompt.h"

namespace rovanta {

std::optional<std::string> askSaveFile(const SaveFileRequest& request)
{
    SaveFilePrompt* prompt = InstalledSaveFilePrompt::get();
    if (prompt == nullptr)
        return std::nullopt;
    return prompt->askSaveFile(request);
}

} // namespace rovanta
