#include "help/help_contents.h"

#include "common/display_text.h"
#include "common/file_names.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

namespace rovanta {
namespace {

struct Tag {
    std::string name; ///< lower case
    bool closing = false;
    std::vector<std::pair<std::string, std::string>> attributes; ///< names lower case, values decoded

    std::string_view attribute(std::string_view wanted) const
    {
        const auto match = std::ranges::find(attributes, wanted, &std::pair<std::string, std::string>::first);
        return match == attributes.end() ? std::string_view() : std::string_view(match->second);
    }
};

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == ':';
}

void appendUtf8(std::string& out, char32_t code)
{
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The named entities the help tools write; German pages use the umlauts.
constexpr std::pair<std::string_view, char32_t> kNamedEntities[] = {
    {"amp", U'&'},  {"lt", U'<'},   {"gt", U'>'},   {"quot", U'"'}, {"apos", U'\''},
    {"nbsp", 0xA0}, {"copy", 0xA9}, {"deg", 0xB0},  {"auml", 0xE4}, {"ouml", 0xF6},
    {"uuml", 0xFC}, {"Auml", 0xC4}, {"Ouml", 0xD6}, {"Uuml", 0xDC}, {"szlig", 0xDF},
};

std::optional<char32_t> entityCode(std::string_view entity)
{
    if (entity.starts_with('#')) {
        entity.remove_prefix(1);
        int base = 10;
        if (!entity.empty() && lowerAscii(entity.front()) == 'x') {
            base = 16;
            entity.remove_prefix(1);
        }
        std::uint32_t code = 0;
        const auto [end, error] = std::from_chars(entity.data(), entity.data() + entity.size(), code, base);
        if (entity.empty() || end != entity.data() + entity.size())
            return std::nullopt;
        if (error != std::errc())
            return 0xFFFD;
        return code;
    }
    const auto match = std::ranges::find(kNamedEntities, entity, &std::pair<std::string_view, char32_t>::first);
    return match == std::end(kNamedEntities) ? std::nullopt : std::optional<char32_t>(match->second);
}

// Unknown or unterminated references stay as written, as browsers do.
std::string decodeEntities(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t amp = text.find('&', at);
        out += text.substr(at, amp - at);
        if (amp == std::string_view::npos)
            break;
        const std::size_t semicolon = text.find(';', amp);
        const std::size_t length = semicolon == std::string_view::npos ? 0 : semicolon - amp - 1;
        const auto code = length > 0 && length <= 10 ? entityCode(text.substr(amp + 1, length)) : std::nullopt;
        if (code) {
            appendUtf8(out, *code);
            at = semicolon + 1;
        } else {
            out += '&';
            at = amp + 1;
        }
    }
    return out;
}

class TagScanner {
public:
    explicit TagScanner(std::string_view text) : text_(text) {}

    /// The next element tag; text, comments and declarations are skipped.
    std::optional<Tag> next()
    {
        while ((at_ = text_.find('<', at_)) != std::string_view::npos) {
            if (text_.substr(at_).starts_with("<!--")) {
                const std::size_t end = text_.find("-->", at_ + 4);
                at_ = end == std::string_view::npos ? text_.size() : end + 3;
                continue;
            }
            ++at_;
            Tag tag;
            if (at_ < text_.size() && text_[at_] == '/') {
                tag.closing = true;
                ++at_;
            }
            tag.name = readName();
            if (tag.name.empty()) {
                // "<!DOCTYPE ...>", "<?xml ...?>" or a bare '<' in text.
                continue;
            }
            readAttributes(tag);
            return tag;
        }
        at_ = text_.size();
        return std::nullopt;
    }

private:
    std::string readName()
    {
        std::string name;
        while (at_ < text_.size() && isNameChar(text_[at_]))
            name += lowerAscii(text_[at_++]);
        return name;
    }

    void skipSpace()
    {
        while (at_ < text_.size() && isSpace(text_[at_]))
            ++at_;
    }

    void readAttributes(Tag& tag)
    {
        while (true) {
            skipSpace();
            if (at_ >= text_.size())
                return;
            if (text_[at_] == '>') {
                ++at_;
                return;
            }
            std::string name = readName();
            if (name.empty()) {
                ++at_; // '/' of "<br/>" or other junk
                continue;
            }
            skipSpace();
            std::string value;
            if (at_ < text_.size() && text_[at_] == '=') {
                ++at_;
                skipSpace();
                value = decodeEntities(readValue());
            }
            tag.attributes.emplace_back(std::move(name), std::move(value));
        }
    }

    std::string_view readValue()
    {
        if (at_ < text_.size() && (text_[at_] == '"' || text_[at_] == '\'')) {
            const char quote = text_[at_++];
            const std::size_t end = std::min(text_.find(quote, at_), text_.size());
            const std::string_view value = text_.substr(at_, end - at_);
            at_ = std::min(end + 1, text_.size());
            return value;
        }
        const std::size_t start = at_;
        while (at_ < text_.size() && !isSpace(text_[at_]) && text_[at_] != '>')
            ++at_;
        return text_.substr(start, at_ - start);
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

/// Gathers the sitemap objects of a contents or index file, tag by tag.
class SitemapReader {
public:
    void take(const Tag& tag)
    {
        if (tag.name == "ul")
            onList(tag);
        else if (tag.name == "li")
            finishObject();
        else if (tag.name == "object")
            onObject(tag);
        else if (tag.name == "param" && inObject_)
            onParam(tag);
    }

    std::vector<HelpEntry> finish()
    {
        finishObject();
        return std::move(entries_);
    }

private:
    void onList(const Tag& tag)
    {
        // An unclosed object ends where the list structure changes.
        finishObject();
        listLevel_ = tag.closing ? std::max(listLevel_ - 1, 0) : listLevel_ + 1;
    }

    void onObject(const Tag& tag)
    {
        finishObject();
        if (!tag.closing && equalsIgnoreCase(tag.attribute("type"), "text/sitemap")) {
            inObject_ = true;
            open_.depth = std::max(listLevel_ - 1, 0);
        }
    }

    void onParam(const Tag& tag)
    {
        // Index keywords repeat "Name" and "Local" per topic: the first pair
        // is the keyword and its page.
        const std::string_view param = tag.attribute("name");
        std::string* field = equalsIgnoreCase(param, "Name")    ? &open_.name
                             : equalsIgnoreCase(param, "Local") ? &open_.local
                                                                : nullptr;
        if (field != nullptr && field->empty())
            *field = std::string(tag.attribute("value"));
    }

    void finishObject()
    {
        if (inObject_ && !open_.name.empty())
            entries_.push_back(std::move(open_));
        inObject_ = false;
        open_ = HelpEntry();
    }

    std::vector<HelpEntry> entries_;
    int listLevel_ = 0;
    /// The sitemap object being read, if any.
    bool inObject_ = false;
    HelpEntry open_;
};

} // namespace

std::vector<HelpEntry> parseSitemap(std::string_view bytes)
{
    const std::string text = toDisplayUtf8(bytes);
    TagScanner scanner(text);
    SitemapReader reader;
    while (const auto tag = scanner.next())
        reader.take(*tag);
    return reader.finish();
}

std::string helpPagePath(std::string_view local)
{
    if (local.empty())
        return {};
    if (const std::size_t separator = local.find("::"); separator != std::string_view::npos)
        local.remove_prefix(separator + 2);
    std::string path(local);
    std::ranges::replace(path, '\\', '/');
    if (path.empty() || path.front() != '/')
        path.insert(path.begin(), '/');
    return path;
}

} // namespace rovanta
