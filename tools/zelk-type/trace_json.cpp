#include "trace_json.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/gbk_text.h"
#include "engine/conversion_state.h"
#include "context/input_context.h"
#include "engine/mode_state.h"
#include "engine/symbol_conversion.h"
#include "settings/settings.h"

namespace {

struct ListView {
    std::vector<std::string> candidates;  // UTF-8
    DWORD pageStart = 0;
    DWORD pageSize = 0;
};

// The candidate slots 2 .. CandidateCount - 1 and the page of the context's list.
ListView ReadList(HIMC context) {
    ListView view;
    CandidateListAccess access(context);
    if (!access) {
        return view;
    }
    CANDIDATELIST* list = access.list();
    view.pageStart = list->dwPageStart;
    view.pageSize = list->dwPageSize;
    const int end = Conversion.CandidateCount < kCandidateSlotCount ? Conversion.CandidateCount
                                                                    : kCandidateSlotCount;
    for (int slot = kFirstCandidateSlot; slot < end; ++slot) {
        const char* text = CandidateSlot(list, slot);
        std::string utf8;
        GbkToUtf8(std::string_view(text, strnlen(text, kCandidateSlotSize)), utf8);
        view.candidates.push_back(utf8);
    }
    return view;
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

std::string JsonArray(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out += (i != 0 ? "," : "") + JsonString(texts[i]);
    }
    return out + "]";
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (b < 0x20 || b == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string TraceLine(const KeyToken& token, const KeyOutcome& outcome, HIMC context,
                      const std::string& text) {
    const ListView list = ReadList(context);
    std::string boxes = "[";
    for (std::size_t i = 0; i < outcome.boxes.size(); ++i) {
        boxes += (i != 0 ? "," : "") + std::string("{\"caption\":") +
                 JsonString(outcome.boxes[i].caption) +
                 ",\"text\":" + JsonString(outcome.boxes[i].text) + "}";
    }
    boxes += "]";
    std::string line = "{\"key\":" + JsonString(token.text);
    line += std::string(",\"taken\":") + Bool(outcome.taken);
    line += ",\"commit\":" + JsonString(outcome.commit);
    line += ",\"code\":" +
            JsonString(std::string(Conversion.CodeBuffer,
                                   strnlen(Conversion.CodeBuffer, sizeof Conversion.CodeBuffer)));
    line += ",\"cands\":" + JsonArray(list.candidates);
    line += ",\"page_start\":" + std::to_string(list.pageStart);
    line += ",\"page_size\":" + std::to_string(list.pageSize);
    line += ",\"count\":" + std::to_string(Conversion.CandidateCount);
    line += std::string(",\"complete\":") + Bool(Conversion.CodeComplete != 0);
    line += std::string(",\"assoc\":") + Bool(Conversion.AssociationShown != 0);
    line += ",\"beeps\":" + std::to_string(outcome.beeps);
    line += std::string(",\"english\":") + Bool(Modes.EnglishMode != 0);
    line += std::string(",\"full_width\":") + Bool(IsModeOn(FullWidth));
    line += std::string(",\"chinese_punct\":") + Bool(IsModeOn(ChinesePunctuation));
    line += ",\"code_set\":" + std::to_string(Settings.CodeSet != 0 ? 1 : 0);
    line += std::string(",\"gbk\":") + Bool(Settings.GbkMode != 0);
    line += ",\"messages\":" + JsonArray(outcome.messages);
    line += ",\"boxes\":" + boxes;
    line += ",\"text\":" + JsonString(text);
    return line + "}";
}
