#include "common/translation.h"

namespace rovanta {

std::string localized(const char* context, std::string_view source)
{
    if (const TextTranslator* translator = InstalledTextTranslator::get())
        return translator->translate(context, source);
    return std::string(source);
}

} // namespace rovanta
