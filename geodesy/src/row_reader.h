// Reads the fixed-layout text rows of the built-in geodetic tables.
//
// Behaves like the scanf conversions the rows were laid out for (%Nc, %s,
// %[^"], %lf), but numbers are read with std::from_chars, so the result never
// depends on the process locale: under a German locale, which a GUI toolkit
// may switch to at start-up, %lf would stop "6378137.000" at its '.'.
#pragma once

#include <cstddef>
#include <string_view>

namespace kalimark {

class RowReader {
public:
    explicit RowReader(std::string_view row) : rest_(row) {}

    /// Exactly `count` characters, whitespace included (like %Nc).
    [[nodiscard]] bool chars(char* out, std::size_t count);
    /// A whitespace-delimited word of at most `capacity - 1` characters,
    /// stored terminated (like %s). A longer word fails.
    [[nodiscard]] bool word(char* out, std::size_t capacity);
    /// Text between double quotes, at most `capacity - 1` characters,
    /// stored terminated (like "%N[^"]").
    [[nodiscard]] bool quoted(char* out, std::size_t capacity);
    /// A decimal number, locale-independent (like %lf).
    [[nodiscard]] bool number(double& out);

private:
    void skipBlanks();
    std::string_view rest_;
};

} // namespace kalimark
