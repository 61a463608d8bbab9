#include "dialogs/message.h"

#include "common/text_convert.h"
#include "resources/string_table.h"

namespace rovanta {
namespace {
MessageAnswerer* g_answerer = nullptr;
} // namespace

void installMessageAnswerer(MessageAnswerer* answerer)
{
    g_answerer = answerer;
}

int showMessage(const std::string& text, MessageType type)
{
    if (g_answerer != nullptr)
        return g_answerer->answer(text, type);
    return type == kMessageYesNo ? kAnswerNo : kAnswerOk;
}

int showMessage(int stringId, MessageType type)
{
    return showMessage(replacePlaceholder(strings::loadString(stringId), ""), type);
}

ScopedMessageAnswerer::ScopedMessageAnswerer(MessageAnswerer& answerer) : previous_(g_answerer)
{
    g_answerer = &answerer;
}

ScopedMessageAnswerer::~ScopedMessageAnswerer()
{
    g_answerer = previous_;
}

} // namespace rovanta
