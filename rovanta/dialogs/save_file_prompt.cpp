#include "dialogs/save_file_prompt.h"

namespace rovanta {
namespace {
SaveFilePrompt* g_prompt = nullptr;
} // namespace

void installSaveFilePrompt(SaveFilePrompt* prompt)
{
    g_prompt = prompt;
}

std::optional<std::string> askSaveFile(const SaveFileRequest& request)
{
    if (g_prompt == nullptr)
        return std::nullopt;
    return g_prompt->askSaveFile(request);
}

ScopedSaveFilePrompt::ScopedSaveFilePrompt(SaveFilePrompt& prompt) : previous_(g_prompt)
{
    g_prompt = &prompt;
}

ScopedSaveFilePrompt::~ScopedSaveFilePrompt()
{
    g_prompt = previous_;
}

} // namespace rovanta
