#pragma once

#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct csv_parser;

// One record of a CSV file, numbered by the physical line on which it starts.
struct TCsvRecord
{
    enum class TProblem
    {
        None,
        BrokenQuoting, // a quote that does not close, or text after a closing quote
        TooLong,       // longer than TCsvReader::MaxRecordBytes
    };

    std::vector<std::string> Fields; // empty when Problem is not None
    long long Line = 0;
    TProblem Problem = TProblem::None;
};

// Streams the records of RFC 4180 CSV (quoted fields with commas, quotes and line
// breaks; LF or CR LF; a UTF-8 byte-order mark at the start is dropped) through
// libcsv. Fields pass unchanged, blanks included; blank lines hold no record.
//
// Memory stays bounded whatever the input: a record that is broken or longer
// than MaxRecordBytes is reported as such, and reading goes on at the line after
// the one where it starts, so a stray quote never swallows the rows after it.
class TCsvReader
{
public:
    static constexpr std::size_t MaxRecordBytes = 1 << 20;

    explicit TCsvReader(std::FILE* in);
    ~TCsvReader();
    TCsvReader(const TCsvReader&) = delete;
    TCsvReader& operator=(const TCsvReader&) = delete;

    // The next record; false at the end of the input. Raises std::system_error
    // when the input cannot be read.
    bool Next(TCsvRecord& record);

    bool HadByteOrderMark() const { return byteOrderMark; }
    // Whether the first line ended with CR LF.
    bool UsesCrLf() const { return crlf; }

private:
    struct TLine
    {
        std::string_view Text; // with its line feed, if it has one
        long long Number = 0;
        bool TooLong = false; // its text is not kept
    };
    struct TStoredLine
    {
        std::string Text;
        long long Number = 0;
        bool TooLong = false;
    };

    bool NextLine(TLine& line);
    bool TooLongLine(TLine& line);
    void Fill();
    void SkipRestOfLine();
    void ResetParser();
    bool Broken(TCsvRecord& record, TCsvRecord::TProblem problem);

    static void OnField(void* data, std::size_t size, void* self);
    static void OnRecordEnd(int terminator, void* self);

    std::FILE* in;
    std::unique_ptr<csv_parser> parser;

    std::vector<char> buffer; // input not yet handed out as lines: [begin, end)
    std::size_t begin = 0, end = 0;
    bool eof = false;
    long long lineNumber = 0; // of the last line taken from the input
    bool started = false, byteOrderMark = false, crlf = false;

    // Lines to read again after a broken record, before the input.
    std::deque<TStoredLine> refeed;
    TStoredLine refed; // the one handed out last

    // The record being read, and its lines after the first, kept for a refeed.
    TCsvRecord* current = nullptr;
    std::vector<TStoredLine> continuation;
    std::size_t continuationBytes = 0;
    bool ended = false;
};
