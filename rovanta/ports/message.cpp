#include "ports/message.h"

#include "common/text_convert.h"
#include "resources/string_table.h"

namespace rovanta {
int showMessage(const std::string& text, MessageType type)
{
    if (MessageAnswerer* answerer = InstalledMessageAnswerer::get())
        return answerer->answer(text, type);
    return type == kMessageYesNo ? kAnswerNo : kAnswerOk;
}

int showMessage(int stringId, MessageType type)
{
    return showMessage(replacePlaceholder(strings::text(stringId), ""), type);
}

} // namespace rovanta
