#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Buffered output of CSV rows (or of other lines) to a FILE. A field is quoted
// only when it holds a comma, a quote, a CR or an LF.
class TCsvWriter
{
public:
    TCsvWriter(std::FILE* out, bool crlf);
    ~TCsvWriter();
    TCsvWriter(const TCsvWriter&) = delete;
    TCsvWriter& operator=(const TCsvWriter&) = delete;

    void Field(std::string_view text);
    void EndRow();
    // A whole line as it is, with the line ending added.
    void Line(std::string_view text);
    void Raw(std::string_view bytes);

    // Raises std::system_error when the output cannot be written.
    void Flush();

private:
    // Room for n more bytes at the end of the pending output.
    char* Room(std::size_t n);
    void Spill();

    std::FILE* out;
    std::string_view newline;
    std::unique_ptr<char[]> pending;
    std::size_t used = 0, capacity;
    bool rowStarted = false;
};
