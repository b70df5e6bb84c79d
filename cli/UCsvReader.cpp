#include "UCsvReader.h"

#include <csv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <new>
#include <system_error>

namespace {

constexpr std::size_t ChunkBytes = std::size_t{64} * 1024;
// What a kept line costs beyond its text, counted against MaxRecordBytes.
constexpr std::size_t LineOverhead = 64;

// Only a line feed ends a record, so CR LF and LF both work and a lone CR inside
// a line never splits it. A CR is the one character trimmed from an unquoted
// field's ends and allowed after a closing quote; blanks stay part of the field.
int IsTerminator(unsigned char c)
{
    return c == '\n';
}

int IsSpace(unsigned char c)
{
    return c == '\r';
}

bool IsBlankLine(std::string_view text)
{
    return text.find_first_not_of("\r\n") == std::string_view::npos;
}

} // namespace

TCsvReader::TCsvReader(std::FILE* in) : in(in), parser(std::make_unique<csv_parser>())
{
    buffer.resize(ChunkBytes);
    csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI);
    csv_set_term_func(parser.get(), IsTerminator);
    csv_set_space_func(parser.get(), IsSpace);
}

TCsvReader::~TCsvReader()
{
    csv_free(parser.get());
}

void TCsvReader::ResetParser()
{
    csv_free(parser.get());
    csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI);
    csv_set_term_func(parser.get(), IsTerminator);
    csv_set_space_func(parser.get(), IsSpace);
}

void TCsvReader::OnField(void* data, std::size_t size, void* self)
{
    auto* reader = static_cast<TCsvReader*>(self);
    reader->current->Fields.emplace_back(data ? static_cast<const char*>(data) : "", size);
}

void TCsvReader::OnRecordEnd(int, void* self)
{
    static_cast<TCsvReader*>(self)->ended = true;
}

void TCsvReader::Fill()
{
    if (begin > 0) {
        std::memmove(buffer.data(), buffer.data() + begin, end - begin);
        end -= begin;
        begin = 0;
    }
    if (end == buffer.size())
        buffer.resize(buffer.size() + ChunkBytes);
    const std::size_t n = std::fread(buffer.data() + end, 1, buffer.size() - end, in);
    end += n;
    if (n == 0) {
        if (std::ferror(in))
            throw std::system_error(errno, std::generic_category(), "无法读取输入");
        eof = true;
    }
}

// Drops the input up to and including the next line feed.
void TCsvReader::SkipRestOfLine()
{
    for (;;) {
        const void* nl = std::memchr(buffer.data() + begin, '\n', end - begin);
        if (nl) {
            begin = static_cast<const char*>(nl) - buffer.data() + 1;
            return;
        }
        begin = end;
        if (eof)
            return;
        Fill();
    }
}

bool TCsvReader::TooLongLine(TLine& line)
{
    line = {{}, ++lineNumber, true};
    started = true;
    return true;
}

bool TCsvReader::NextLine(TLine& line)
{
    if (!refeed.empty()) {
        refed = std::move(refeed.front());
        refeed.pop_front();
        line = {refed.Text, refed.Number, refed.TooLong};
        return true;
    }
    std::size_t scanned = 0; // bytes after begin known to hold no line feed
    for (;;) {
        const char* base = buffer.data();
        const void* nl = std::memchr(base + begin + scanned, '\n', end - begin - scanned);
        if (nl) {
            const std::size_t stop = static_cast<const char*>(nl) - base + 1;
            line.Text = std::string_view(base + begin, stop - begin);
            begin = stop;
            if (line.Text.size() > MaxRecordBytes)
                return TooLongLine(line);
            break;
        }
        scanned = end - begin;
        if (scanned > MaxRecordBytes) {
            SkipRestOfLine();
            return TooLongLine(line);
        }
        if (eof) {
            if (scanned == 0)
                return false;
            line.Text = std::string_view(base + begin, scanned);
            begin = end;
            break;
        }
        Fill();
    }
    line.Number = ++lineNumber;
    line.TooLong = false;
    if (!started) {
        started = true;
        constexpr std::string_view Bom = "\xEF\xBB\xBF";
        if (line.Text.substr(0, Bom.size()) == Bom) {
            byteOrderMark = true;
            line.Text.remove_prefix(Bom.size());
        }
        crlf = line.Text.size() >= 2 && line.Text.substr(line.Text.size() - 2) == "\r\n";
    }
    return true;
}

// The record ends here; what followed its first line is read again.
bool TCsvReader::Broken(TCsvRecord& record, TCsvRecord::TProblem problem)
{
    record.Fields.clear();
    record.Problem = problem;
    ResetParser();
    refeed.insert(refeed.begin(), std::make_move_iterator(continuation.begin()),
                  std::make_move_iterator(continuation.end()));
    continuation.clear();
    return true;
}

bool TCsvReader::Next(TCsvRecord& record)
{
    using TProblem = TCsvRecord::TProblem;
    record.Fields.clear();
    record.Problem = TProblem::None;
    current = &record;
    continuation.clear();
    continuationBytes = 0;
    bool inRecord = false;
    TLine line;
    for (;;) {
        if (!NextLine(line)) {
            if (!inRecord)
                return false;
            // The last line had no line feed, or a quote is still open.
            ended = false;
            csv_fini(parser.get(), OnField, OnRecordEnd, this);
            return ended ? true : Broken(record, TProblem::BrokenQuoting);
        }
        if (!inRecord) {
            if (line.TooLong) {
                record.Line = line.Number;
                record.Problem = TProblem::TooLong;
                return true;
            }
            if (IsBlankLine(line.Text))
                continue;
            inRecord = true;
            record.Line = line.Number;
        } else {
            // Inside a quoted field: keep the line in case the record turns out broken.
            continuation.push_back({std::string(line.Text), line.Number, line.TooLong});
            continuationBytes += line.Text.size() + LineOverhead;
            if (line.TooLong || continuationBytes > MaxRecordBytes)
                return Broken(record, TProblem::TooLong);
        }
        ended = false;
        const std::size_t used =
            csv_parse(parser.get(), line.Text.data(), line.Text.size(), OnField, OnRecordEnd, this);
        if (used < line.Text.size()) {
            if (csv_error(parser.get()) != CSV_EPARSE)
                throw std::bad_alloc();
            return Broken(record, TProblem::BrokenQuoting);
        }
        if (ended)
            return true;
    }
}
