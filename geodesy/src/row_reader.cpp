#include "row_reader.h"

#include "ascii.h"

#include <algorithm>
#include <charconv>

namespace kalimark {

void RowReader::skipBlanks()
{
    const auto first = std::find_if_not(rest_.begin(), rest_.end(), isAsciiSpace);
    rest_.remove_prefix(static_cast<std::size_t>(first - rest_.begin()));
}

bool RowReader::chars(char* out, std::size_t count)
{
    if (rest_.size() < count)
        return false;
    std::copy_n(rest_.begin(), count, out);
    rest_.remove_prefix(count);
    return true;
}

bool RowReader::word(char* out, std::size_t capacity)
{
    skipBlanks();
    const auto end = std::find_if(rest_.begin(), rest_.end(), isAsciiSpace);
    const auto length = static_cast<std::size_t>(end - rest_.begin());
    if (length == 0 || length >= capacity)
        return false;
    std::copy_n(rest_.begin(), length, out);
    out[length] = '\0';
    rest_.remove_prefix(length);
    return true;
}

bool RowReader::quoted(char* out, std::size_t capacity)
{
    skipBlanks();
    if (rest_.empty() || rest_.front() != '"')
        return false;
    const std::size_t close = rest_.find('"', 1);
    if (close == std::string_view::npos)
        return false;
    const std::size_t length = close - 1;
    if (length == 0 || length >= capacity)
        return false;
    std::copy_n(rest_.begin() + 1, length, out);
    out[length] = '\0';
    rest_.remove_prefix(close + 1);
    return true;
}

bool RowReader::number(double& out)
{
    skipBlanks();
    // from_chars does not take a leading '+', scanf does.
    if (!rest_.empty() && rest_.front() == '+')
        rest_.remove_prefix(1);
    const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), out);
    if (error != std::errc{})
        return false;
    rest_.remove_prefix(static_cast<std::size_t>(end - rest_.data()));
    return true;
}

} // namespace kalimark
