#include "common/dictionary_check.h"

#include <cstdio>

#include "dict/entry_rules.h"
#include "dict/line_reader.h"

namespace {

std::string Describe(const char* format, std::size_t a, std::size_t b = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// The loader's rules, told as messages.
class ProblemList final : public FaultSink {
  public:
    explicit ProblemList(std::vector<DictionaryProblem>& problems) : problems_(problems) {}
    void Fault(std::size_t line, LineFault fault, std::size_t a, std::size_t b, char key) override {
        problems_.push_back({line, Message(fault, a, b, key)});
    }

  private:
    static std::string Message(LineFault fault, std::size_t a, std::size_t b, char key) {
        switch (fault) {
            case LineFault::LfWithoutCr:
                return "the line ends in LF without CR";
            case LineFault::Blank:
                return "blank line";
            case LineFault::NoSeparator:
                return "no '_' between code and word";
            case LineFault::CodeLength:
                return Describe("the code has %zu keys (1 to %zu allowed)", a, b);
            case LineFault::CodeKey:
                return Describe("the code has a byte 0x%02zX that is no key of this code set", a);
            case LineFault::WordLength:
                return Describe("the word has %zu bytes (1 to %zu allowed)", a, b);
            case LineFault::WordNotGbk:
                return Describe("the word is not GBK text (byte 0x%02zX at word byte %zu)", a, b);
            case LineFault::WordControlByte:
                return Describe("the word has a control or invalid byte 0x%02zX", a);
            case LineFault::WordSeparator:
                return "the word contains a separator ('_' or a space)";
            case LineFault::GroupOrder:
                return "the line is out of group order (groups go a..z, '/', ';')";
            case LineFault::GroupSize:
                return "group '" + std::string(1, key) +
                       Describe("' has %zu lines; this code set needs exactly %zu", a, b);
            case LineFault::LineCount:
                return Describe("the file has %zu lines; this code set needs exactly %zu", a, b);
        }
        return "unknown problem";
    }
    std::vector<DictionaryProblem>& problems_;
};

}  // namespace

DictionaryCheckResult CheckMainDictionary(std::string_view bytes, int codeSet) {
    DictionaryCheckResult result;
    ProblemList problems(result.problems);
    MainFileCheck check(codeSet, &problems);
    std::size_t position = 0;
    while (position < bytes.size()) {
        const std::size_t end = bytes.find('\n', position);
        const bool endedByLf = end != std::string_view::npos;
        const std::size_t length = (endedByLf ? end : bytes.size()) - position;
        check.Line(bytes.data() + position, length, endedByLf);
        position += length + (endedByLf ? 1 : 0);
    }
    check.Finish();
    result.lines = check.Lines();
    return result;
}

DictionaryCheckResult CheckUserWords(std::string_view bytes, char separator, int codeSet) {
    DictionaryCheckResult result;
    std::size_t position = 0;
    while (position < bytes.size()) {
        const std::size_t end = bytes.find('\n', position);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        // Each line through the loader's own reader: what it leaves out is what is reported.
        DictEntry entry{};
        DictionaryLineReader reader(separator, &entry, 1, LineRules::UserWords, codeSet);
        reader.Feed(bytes.data() + position, next - position);
        reader.Finish();
        ++result.lines;
        if (reader.Skipped() != 0) {
            result.problems.push_back(
                {result.lines,
                 "left out when read: a code of 1 to 6 keys of this code set, then a "
                 "word of 1 to 99 bytes of GBK text without control bytes"});
        }
        position = next;
    }
    return result;
}
