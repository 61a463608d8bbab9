#include "gpx/xml_text.h"

#include "common/text_convert.h"

#include <sstream>

namespace rovanta::xml {

void declare(pugi::xml_document& document)
{
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
}

pugi::xml_node appendText(pugi::xml_node parent, const char* name, std::string_view text)
{
    pugi::xml_node node = parent.append_child(name);
    node.text().set(withoutControlCharacters(std::string(text)).c_str());
    return node;
}

std::string serialize(const pugi::xml_document& document)
{
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

std::string coordinate(double degrees)
{
    return formatFixed(degrees, 0, 7);
}

} // namespace rovanta::xml
