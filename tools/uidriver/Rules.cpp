#include "tools/uidriver/Rules.h"

#include "platform/Win32.h"
#include "tools/uidriver/Buffer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Reads the next token: a word up to white space, or a "quoted text" (\" and \\ escapes).
// Returns false at the end of the line; quoted tells whether the token was quoted.
bool nextToken(const char*& p, char* out, int outSize, bool& quoted, bool& ok) {
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
    if (!*p) return false;
    int n = 0;
    quoted = *p == '"';
    if (quoted) {
        ++p;
        while (*p && *p != '"') {
            if (*p == '\\' && (p[1] == '"' || p[1] == '\\')) ++p;
            if (n < outSize - 1) out[n++] = *p;
            ++p;
        }
        if (*p != '"') ok = false;
        else ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
            if (n < outSize - 1) out[n++] = *p;
            ++p;
        }
    }
    out[n] = 0;
    return true;
}

bool parseId(const char* s, int& id) {
    char* end = nullptr;
    long v = strtol(s, &end, 0);
    if (!*s || *end) return false;
    id = static_cast<int>(v);
    return true;
}

}  // namespace

bool Rules::Add(const char* line, char* error, int errorSize) {
    if (count_ >= kMaxRules) {
        snprintf(error, errorSize, "too many rules (at most %d)", kMaxRules);
        return false;
    }
    Rule& r = rules_[count_];
    memset(&r, 0, sizeof r);
    snprintf(r.source, sizeof r.source, "%s", line);
    const char* p = line;
    char token[512];
    bool quoted = false, ok = true, actions = false;
    auto fail = [&](const char* what) {
        snprintf(error, errorSize, "rule \"%s\": %s", line, what);
        return false;
    };
    // The argument that a keyword needs: a quoted text.
    auto quotedArg = [&](char* out, int size) {
        char arg[512];
        if (!nextToken(p, arg, sizeof arg, quoted, ok) || !ok || !quoted) return false;
        snprintf(out, size, "%s", arg);
        return true;
    };
    while (nextToken(p, token, sizeof token, quoted, ok)) {
        if (!ok) return fail("unterminated quote");
        if (quoted) return fail("a quoted text without a keyword before it");
        if (!actions) {
            if (!strcmp(token, "once")) r.once = true;
            else if (!strcmp(token, "caption")) {
                if (!quotedArg(r.caption, sizeof r.caption)) return fail("caption needs a \"text\"");
                r.hasCaption = true;
            } else if (!strcmp(token, "text")) {
                if (!quotedArg(r.text, sizeof r.text)) return fail("text needs a \"text\"");
                r.hasText = true;
            } else if (!strcmp(token, "class")) {
                if (!quotedArg(r.className, sizeof r.className)) return fail("class needs a \"name\"");
                r.hasClass = true;
            } else if (!strcmp(token, "->")) actions = true;
            else return fail("unknown match keyword");
            continue;
        }
        if (r.actionCount >= Rule::kMaxActions) return fail("too many actions");
        Action& a = r.actions[r.actionCount];
        a.id = 0;
        a.text[0] = 0;
        if (!strcmp(token, "press")) {
            if (!nextToken(p, a.text, sizeof a.text, quoted, ok) || !ok) return fail("press needs a \"button text\" or #id");
            if (!quoted && a.text[0] == '#') {
                if (!parseId(a.text + 1, a.id)) return fail("press #id needs a number");
                a.kind = ActionKind::PressId;
            } else if (quoted) {
                a.kind = ActionKind::Press;
            } else {
                return fail("press needs a \"button text\" or #id");
            }
        } else if (!strcmp(token, "type") || !strcmp(token, "select") || !strcmp(token, "dblclick")) {
            a.kind = token[0] == 't' ? ActionKind::Type
                   : token[0] == 's' ? ActionKind::Select : ActionKind::DoubleClick;
            char id[64];
            if (!nextToken(p, id, sizeof id, quoted, ok) || quoted || !parseId(id, a.id))
                return fail("type/select/dblclick need a control id");
            if (!quotedArg(a.text, sizeof a.text)) return fail("type/select/dblclick need a \"text\"");
        } else if (!strcmp(token, "close")) {
            a.kind = ActionKind::Close;
        } else {
            return fail("unknown action");
        }
        ++r.actionCount;
    }
    if (!ok) return fail("unterminated quote");
    ++count_;
    return true;
}

bool Rules::AddFile(const char* path, char* error, int errorSize) {
    FILE* f = fopen(path, "rb");
    if (!f) {
        snprintf(error, errorSize, "cannot read the rules file %s", path);
        return false;
    }
    Buffer content;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) content.Append(chunk, static_cast<int>(n));
    fclose(f);
    const char* text = content.Text();
    if (!strncmp(text, "\xEF\xBB\xBF", 3)) text += 3;
    // UTF-8 files become ANSI, the code page of the texts uidriver compares and types.
    Buffer ansi;
    int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (wideLength > 0) {
        WCHAR* wide = static_cast<WCHAR*>(malloc(sizeof(WCHAR) * wideLength));
        MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, wideLength);
        int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        char* a = static_cast<char*>(malloc(ansiLength > 0 ? ansiLength : 1));
        a[0] = 0;
        WideCharToMultiByte(CP_ACP, 0, wide, -1, a, ansiLength, nullptr, nullptr);
        ansi.Append(a);
        free(a);
        free(wide);
        text = ansi.Text();
    }
    char line[1024];
    while (*text) {
        const char* end = strchr(text, '\n');
        int len = end ? static_cast<int>(end - text) : static_cast<int>(strlen(text));
        if (len >= static_cast<int>(sizeof line)) len = sizeof line - 1;
        memcpy(line, text, len);
        while (len > 0 && (line[len - 1] == '\r' || line[len - 1] == ' ' || line[len - 1] == '\t')) --len;
        line[len] = 0;
        text = end ? end + 1 : text + strlen(text);
        const char* q = line;
        while (*q == ' ' || *q == '\t' || *q == '\r') ++q;
        if (!*q || *q == '#') continue;
        if (!Add(line, error, errorSize)) return false;
    }
    return true;
}
