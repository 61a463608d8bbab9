#include "view/display.h"

#include "common/display_text.h"

namespace rovanta {

QString displayText(std::string_view bytes)
{
    return QString::fromStdString(toDisplayUtf8(bytes));
}

std::string coreText(const QString& text)
{
    return text.toStdString();
}

} // namespace rovanta
