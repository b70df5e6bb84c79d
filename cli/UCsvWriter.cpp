#include "UCsvWriter.h"

#include <algorithm>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace {

constexpr std::size_t SpillBytes = std::size_t{64} * 1024;

// The bytes that make a field need quotes.
constexpr auto Special = [] {
    std::array<bool, 256> special{};
    for (unsigned char c : {',', '"', '\r', '\n'})
        special[c] = true;
    return special;
}();

// Eight bytes at a time: a byte of v equals c where v ^ (c in every byte) has a
// zero byte, which the borrow of the subtraction shows in that byte's top bit.
bool HasByte(std::uint64_t v, unsigned char c)
{
    constexpr std::uint64_t Ones = 0x0101010101010101, Tops = 0x8080808080808080;
    const std::uint64_t x = v ^ (Ones * c);
    return ((x - Ones) & ~x & Tops) != 0;
}

bool NeedsQuotes(std::string_view text)
{
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t v;
        std::memcpy(&v, text.data() + i, 8);
        if (HasByte(v, ',') || HasByte(v, '"') || HasByte(v, '\r') || HasByte(v, '\n'))
            return true;
    }
    bool special = false;
    for (; i < text.size(); ++i)
        special |= Special[static_cast<unsigned char>(text[i])];
    return special;
}

} // namespace

TCsvWriter::TCsvWriter(std::FILE* out, bool crlf)
    : out(out), newline(crlf ? "\r\n" : "\n"), pending(new char[2 * SpillBytes]),
      capacity(2 * SpillBytes)
{
}

TCsvWriter::~TCsvWriter()
{
    // A failure shows in the caller's Flush; a destructor must not raise it.
    if (used > 0)
        std::fwrite(pending.get(), 1, used, out);
}

char* TCsvWriter::Room(std::size_t n)
{
    if (used + n > capacity) {
        Spill();
        if (n > capacity) {
            pending.reset(new char[n]);
            capacity = n;
        }
    }
    return pending.get() + used;
}

void TCsvWriter::Field(std::string_view text)
{
    char* const start = Room(2 * text.size() + 3);
    char* p = start;
    if (rowStarted)
        *p++ = ',';
    rowStarted = true;
    if (!NeedsQuotes(text)) {
        // std::copy, as an empty field may come without a data pointer for memcpy.
        p = std::copy(text.begin(), text.end(), p);
    } else {
        *p++ = '"';
        for (char c : text) {
            if (c == '"')
                *p++ = '"';
            *p++ = c;
        }
        *p++ = '"';
    }
    used += p - start;
}

void TCsvWriter::EndRow()
{
    Raw(newline);
    rowStarted = false;
    if (used >= SpillBytes)
        Spill();
}

void TCsvWriter::Line(std::string_view text)
{
    Raw(text);
    EndRow();
}

void TCsvWriter::Raw(std::string_view bytes)
{
    std::copy(bytes.begin(), bytes.end(), Room(bytes.size()));
    used += bytes.size();
}

void TCsvWriter::Spill()
{
    const std::size_t n = std::fwrite(pending.get(), 1, used, out);
    const bool failed = n != used;
    used = 0;
    if (failed)
        throw std::system_error(errno, std::generic_category(), "无法写出结果");
}

void TCsvWriter::Flush()
{
    Spill();
    if (std::fflush(out) != 0)
        throw std::system_error(errno, std::generic_category(), "无法写出结果");
}
