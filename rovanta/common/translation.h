// The interface's language for texts the core shows: each text is written
// in English where it is defined, marked for the translators, and looked up
// when it is shown. The GUI installs the lookup; without one the English
// text stands.
#pragma once

#include "common/installed.h"

#include <string>
#include <string_view>

/// Marks `text` for the translators under `context`; lupdate reads it as
/// QT_TRANSLATE_NOOP. The text itself is unchanged.
#define ROVANTA_TR_NOOP(context, text) text

namespace rovanta {

class TextTranslator {
public:
    virtual ~TextTranslator() = default;
    /// The text in the interface's language, or `source` when it has none.
    virtual std::string translate(const char* context, std::string_view source) const = 0;
};
using InstalledTextTranslator = Installed<TextTranslator>;

/// `source` through the installed translator; `source` itself without one.
std::string localized(const char* context, std::string_view source);

} // namespace rovanta
