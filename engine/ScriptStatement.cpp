#include "engine/ScriptStatement.h"

#include <cstring>
#include <string>

#include "engine/VxString.h"
#include "platform/ResourceArchive.h"

namespace {

const char* Temp(const std::string& s) {
    char* t = TempString(int(s.size()) + 1);
    if (!t) return "";
    std::memcpy(t, s.c_str(), s.size() + 1);
    return t;
}

bool IsBlank(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

}  // namespace

ScriptStatement ReadScriptStatement(VxFile* file, const char** keyOut, const char** valueOut) {
    std::string text, key, value;
    bool comment = false, braces = false;
    size_t valueStart = 0;
    bool endOfFile = !file || !file->data || file->position >= file->size;

    while (!endOfFile) {
        const char c = file->data[file->position];
        ++file->position;
        if (file->position >= file->size) {
            endOfFile = true;
            break;
        }
        bool appended = false;
        if (text.empty()) {
            text += c;
            appended = true;
        } else if (IsBlank(c)) {
            if (braces) text += c, appended = true;
        } else if (c == '^') {
            text += '\n';
            appended = true;
        } else if (c == '{') {
            braces = true;
        } else if (c == '}') {
            braces = false;
        } else {
            text += c;
            appended = true;
        }
        if (appended && text.size() == 2 && text == "//") {
            key = "COMMENT";
            comment = true;
        }
        if (c == '=' && !comment) {
            key = text.substr(0, text.size() - 1);
            valueStart = text.size();
        }
        if (c == ';' && !comment) {
            const size_t end = text.size() - 1;
            value = end > valueStart ? text.substr(valueStart, end - valueStart) : std::string();
        }
        if (c == '\n' && !braces) break;
    }
    if (endOfFile) key = "END_FILE";
    ScriptStatement s{Temp(key), Temp(value)};
    if (keyOut) *keyOut = s.key;
    if (valueOut) *valueOut = s.value;
    return s;
}
