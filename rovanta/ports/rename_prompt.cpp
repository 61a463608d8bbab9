#include "ports/rename_prompt.h"

namespace rovanta {

std::optional<std::string> askNewName(const std::string& oldName)
{
    RenamePrompt* prompt = InstalledRenamePrompt::get();
    if (prompt == nullptr)
        return std::nullopt;
    return prompt->askNewName(oldName);
}

} // namespace rovanta
