// The CSV reader on in-memory input: RFC 4180 records, line numbers, and how
// broken records are told apart from the rows after them.

#include "UCsvReader.h"
#include "UCsvWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using TProblem = TCsvRecord::TProblem;

struct Row
{
    long long line;
    std::vector<std::string> fields; // empty for a broken record
    TProblem problem = TProblem::None;

    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r)
{
    os << "line " << r.line << " problem " << static_cast<int>(r.problem) << ':';
    for (const auto& f : r.fields)
        os << " [" << f << ']';
    return os;
}

struct Read
{
    std::vector<Row> rows;
    bool bom = false, crlf = false;
};

Read ReadAll(const std::string& text)
{
    std::FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
    // fmemopen refuses a size of 0.
    if (text.empty())
        in = std::tmpfile();
    TCsvReader reader(in);
    Read r;
    TCsvRecord rec;
    while (reader.Next(rec))
        r.rows.push_back({rec.Line, rec.Fields, rec.Problem});
    r.bom = reader.HadByteOrderMark();
    r.crlf = reader.UsesCrLf();
    std::fclose(in);
    return r;
}

Row Broken(long long line)
{
    return {line, {}, TProblem::BrokenQuoting};
}

struct Case
{
    const char* name;
    std::string text;
    std::vector<Row> rows;
};

const Case Cases[] = {
    {"quoted commas, quotes and line breaks",
     "a,b\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\nlines\",z\n3,4\n",
     {{1, {"a", "b"}}, {2, {"x,y", "say \"hi\""}}, {3, {"two\nlines", "z"}}, {5, {"3", "4"}}}},
    {"CR LF ends a record and stays inside quotes",
     "a,b\r\n\"c\r\nd\",e\r\n",
     {{1, {"a", "b"}}, {2, {"c\r\nd", "e"}}}},
    {"blank lines hold no record but count", "a\n\n\r\nb\n", {{1, {"a"}}, {4, {"b"}}}},
    {"blanks stay part of a field", " a , b \n\t\n", {{1, {" a ", " b "}}, {2, {"\t"}}}},
    {"empty fields", ",,\n\"\",x\n", {{1, {"", "", ""}}, {2, {"", "x"}}}},
    {"no line feed at the end", "a,b\n1,2", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
    {"a lone CR does not end a record", "a\rb,c\n", {{1, {"a\rb", "c"}}}},
    {"empty input", "", {}},
    {"a quote inside an unquoted field", "a\"b,c\nd,e\n", {Broken(1), {2, {"d", "e"}}}},
    {"text after a closing quote", "\"a\"x,c\nd,e\n", {Broken(1), {2, {"d", "e"}}}},
    {"a blank before an opening quote", "a, \"b\"\nd,e\n", {Broken(1), {2, {"d", "e"}}}},
    // The open quote would take the rest of the file; the rows after it are read again.
    {"a quote that never closes",
     "1,\"abc\n2,def\n3,ghi\n",
     {Broken(1), {2, {"2", "def"}}, {3, {"3", "ghi"}}}},
    {"a quote that closes on a later line before garbage",
     "1,\"abc\n2,d\"x\n3,g\n",
     {Broken(1), Broken(2), {3, {"3", "g"}}}},
    {"a quote left open in the last line", "a\n1,\"2", {{1, {"a"}}, Broken(2)}},
};

} // namespace

TEST(CsvReader, Records)
{
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadAll(c.text).rows, c.rows);
    }
}

TEST(CsvReader, ByteOrderMarkAndLineEnding)
{
    const Read withBom = ReadAll("\xEF\xBB\xBFincome,golds\r\n8000,1000\r\n");
    EXPECT_TRUE(withBom.bom);
    EXPECT_TRUE(withBom.crlf);
    EXPECT_EQ(withBom.rows.front().fields, (std::vector<std::string>{"income", "golds"}));

    const Read plain = ReadAll("income\n8000\n");
    EXPECT_FALSE(plain.bom);
    EXPECT_FALSE(plain.crlf);
    // Only at the very start is it a byte-order mark.
    EXPECT_EQ(ReadAll("a\n\xEF\xBB\xBF\n").rows.back().fields.front(), "\xEF\xBB\xBF");
}

// Memory stays bounded: an overlong line or record is given up, and reading goes
// on with the line after the one where it starts.
TEST(CsvReader, OverlongLinesAndRecords)
{
    const std::size_t max = TCsvReader::MaxRecordBytes;
    for (std::size_t length : {max + 1, max + 10, 3 * max}) {
        const Read line = ReadAll("a\n" + std::string(length, 'x') + "\nb\n");
        ASSERT_EQ(line.rows.size(), 3u) << length;
        EXPECT_EQ(line.rows[1].problem, TProblem::TooLong) << length;
        EXPECT_EQ(line.rows[2], (Row{3, {"b"}})) << length;
    }
    // The line feed counts.
    EXPECT_EQ(ReadAll(std::string(max - 1, 'x') + "\n").rows.at(0).fields.at(0).size(), max - 1);

    std::string runaway = "h\n1,\"open\n";
    const int lines = static_cast<int>(max / 64) + 10;
    for (int i = 0; i < lines; ++i)
        runaway += "y\n";
    const Read record = ReadAll(runaway);
    ASSERT_EQ(record.rows.size(), static_cast<std::size_t>(lines) + 2);
    EXPECT_EQ(record.rows[1], (Row{2, {}, TProblem::TooLong}));
    EXPECT_EQ(record.rows[2], (Row{3, {"y"}}));
    EXPECT_EQ(record.rows.back(), (Row{lines + 2, {"y"}}));
}

TEST(CsvWriter, QuotesOnlyWhereNeeded)
{
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&data, &size);
    {
        TCsvWriter w(out, true);
        for (const char* f : {"plain", "a,b", "say \"hi\"", "two\nlines", "cr\r", " blanks ", ""})
            w.Field(f);
        w.EndRow();
        w.Line("{\"json\":1}");
        w.Flush();
    }
    std::fclose(out);
    EXPECT_EQ(std::string(data, size), "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\","
                                       " blanks ,\r\n{\"json\":1}\r\n");
    std::free(data);

    // What it writes reads back unchanged.
    const std::vector<std::string> fields = {"x,y", "\"", "\r\n", "", "员工"};
    char* back = nullptr;
    std::size_t backSize = 0;
    std::FILE* o = open_memstream(&back, &backSize);
    {
        TCsvWriter w(o, false);
        for (const auto& f : fields)
            w.Field(f);
        w.EndRow();
        w.Flush();
    }
    std::fclose(o);
    EXPECT_EQ(ReadAll(std::string(back, backSize)).rows, (std::vector<Row>{{1, fields}}));
    std::free(back);
}
