#include "tests/support/WineRun.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

// ---------------------------------------------------------------- a small JSON reader
struct Json {
    enum Kind { Null, Bool, Number, Text, Array, Object } kind = Null;
    bool flag = false;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;

    const Json& operator[](const std::string& key) const {
        static const Json none;
        auto it = fields.find(key);
        return it == fields.end() ? none : it->second;
    }
    std::string Str() const { return kind == Text ? text : std::string(); }
    long long Int(long long otherwise = -1) const {
        return kind == Number ? static_cast<long long>(number) : otherwise;
    }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& s) : s_(s) {}
    // Parses one value that fills the whole text; false when the text is no JSON.
    bool Parse(Json& out) {
        if (!Value(out)) return false;
        Space();
        return pos_ == s_.size();
    }

private:
    void Space() {
        while (pos_ < s_.size() && strchr(" \t\r\n", s_[pos_])) ++pos_;
    }
    bool Eat(char c) {
        Space();
        if (pos_ < s_.size() && s_[pos_] == c) return ++pos_, true;
        return false;
    }
    bool Word(const char* w) {
        size_t n = strlen(w);
        if (s_.compare(pos_, n, w)) return false;
        pos_ += n;
        return true;
    }
    static void Utf8(std::string& out, unsigned cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    bool Hex4(unsigned& v) {
        if (pos_ + 4 > s_.size()) return false;
        v = 0;
        for (int i = 0; i < 4; ++i) {
            char c = s_[pos_++];
            v <<= 4;
            if (c >= '0' && c <= '9') v |= c - '0';
            else if (c >= 'a' && c <= 'f') v |= c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') v |= c - 'A' + 10;
            else return false;
        }
        return true;
    }
    bool String(std::string& out) {
        if (!Eat('"')) return false;
        while (pos_ < s_.size()) {
            char c = s_[pos_++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= s_.size()) return false;
            char e = s_[pos_++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                unsigned cp;
                if (!Hex4(cp)) return false;
                if (cp >= 0xD800 && cp < 0xDC00 && s_.compare(pos_, 2, "\\u") == 0) {
                    pos_ += 2;
                    unsigned low;
                    if (!Hex4(low)) return false;
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                }
                Utf8(out, cp);
                break;
            }
            default: out += e;
            }
        }
        return false;
    }
    bool Value(Json& v) {
        Space();
        if (pos_ >= s_.size()) return false;
        char c = s_[pos_];
        if (c == '"') return v.kind = Json::Text, String(v.text);
        if (c == '{') {
            ++pos_;
            v.kind = Json::Object;
            if (Eat('}')) return true;
            do {
                std::string key;
                Json item;
                if (!String(key) || !Eat(':') || !Value(item)) return false;
                v.fields[key] = std::move(item);
            } while (Eat(','));
            return Eat('}');
        }
        if (c == '[') {
            ++pos_;
            v.kind = Json::Array;
            if (Eat(']')) return true;
            do {
                v.items.emplace_back();
                if (!Value(v.items.back())) return false;
            } while (Eat(','));
            return Eat(']');
        }
        if (Word("true")) return v.kind = Json::Bool, v.flag = true, true;
        if (Word("false")) return v.kind = Json::Bool, v.flag = false, true;
        if (Word("null")) return v.kind = Json::Null, true;
        const char* start = s_.c_str() + pos_;
        char* end = nullptr;
        v.number = strtod(start, &end);
        if (end == start) return false;
        pos_ += end - start;
        v.kind = Json::Number;
        return true;
    }

    const std::string& s_;
    size_t pos_ = 0;
};

WineWindow windowOf(const Json& j) {
    WineWindow w;
    w.seq = static_cast<int>(j["seq"].Int(0));
    w.hwnd = j["hwnd"].Str();
    w.className = j["class"].Str();
    w.caption = j["caption"].Str();
    w.style = strtoul(j["style"].Str().c_str(), nullptr, 16);
    w.shot = j["shot"].Str();
    w.rule = j["rule"].Str();
    for (const Json& c : j["controls"].items) {
        WineControl control;
        control.id = static_cast<int>(c["id"].Int(0));
        control.className = c["class"].Str();
        control.text = c["text"].Str();
        for (const Json& item : c["items"].items) control.items.push_back(item.Str());
        control.selected = static_cast<int>(c["selected"].Int(-1));
        control.checked = static_cast<int>(c["checked"].Int(-1));
        control.disabled = c["disabled"].kind == Json::Bool && c["disabled"].flag;
        w.controls.push_back(std::move(control));
    }
    return w;
}

void addLine(WineRunResult& r, const std::string& line) {
    if (line.empty()) return;
    r.lines.push_back(line);
    Json j;
    if (!JsonReader(line).Parse(j) || j.kind != Json::Object) return;
    std::string event = j["event"].Str();
    if (event == "window") r.windows.push_back(windowOf(j));
    else if (event == "exit") r.exitCode = j["code"].Int();
    else if (event == "timeout") r.timedOut = true;
    if (event == "fail" || event == "error" || event == "timeout") r.failure = j["reason"].Str();
}

std::string sessionScript() { return std::string(QUIV_SOURCE_DIR) + "/tools/wine-session"; }

// Runs argv with standard output read line by line into lines (standard error passes
// through); returns the exit status, -1 when it could not run or was killed after limit.
int runCapturing(const std::vector<std::string>& argv, int limitSeconds, std::vector<std::string>* lines,
                 const std::string& workDir = std::string()) {
    int out[2];
    if (pipe(out) != 0) return -1;
    pid_t pid = fork();
    if (pid < 0) {
        close(out[0]);
        close(out[1]);
        return -1;
    }
    if (pid == 0) {
        setpgid(0, 0);
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(127);
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    std::string pending;
    int status = -1;
    bool exited = false, killed = false;
    // Read until the pipe closes, or the child has ended and nothing more comes (a process
    // it left behind may hold the pipe open).
    for (;;) {
        pollfd p = {out[0], POLLIN, 0};
        int ready = poll(&p, 1, exited ? 200 : 100);
        if (ready > 0) {
            char chunk[4096];
            ssize_t n = read(out[0], chunk, sizeof chunk);
            if (n <= 0) break;
            pending.append(chunk, static_cast<size_t>(n));
            size_t nl;
            while ((nl = pending.find('\n')) != std::string::npos) {
                if (lines) lines->push_back(pending.substr(0, nl));
                pending.erase(0, nl + 1);
            }
            continue;
        }
        if (exited) break;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
            continue;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-pid, SIGKILL);
            killed = true;
            waitpid(pid, &status, 0);
            break;
        }
    }
    close(out[0]);
    if (!exited && !killed) waitpid(pid, &status, 0);
    if (lines && !pending.empty()) lines->push_back(pending);
    if (killed || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::once_flag sessionOnce;
bool sessionReady = false;

void stopOwnSession() {
    runCapturing({sessionScript(), "stop"}, 60, nullptr);
}

// The session of the test run, or one of our own (ended at exit) when none is running.
bool ensureSession() {
    std::call_once(sessionOnce, [] {
        if (runCapturing({sessionScript(), "status"}, 30, nullptr) == 0) {
            sessionReady = true;
            return;
        }
        sessionReady = runCapturing({sessionScript(), "start"}, 300, nullptr) == 0;
        if (sessionReady) atexit(stopOwnSession);
    });
    return sessionReady;
}

}  // namespace

const WineControl* WineWindow::Control(int id) const {
    for (const WineControl& c : controls)
        if (c.id == id) return &c;
    return nullptr;
}

std::string WineWindow::MessageText() const {
    const WineControl* c = Control(0xFFFF);
    return c ? c->text : std::string();
}

std::vector<std::string> WineWindow::Buttons() const {
    std::vector<std::string> texts;
    for (const WineControl& c : controls)
        if (c.className == "Button") texts.push_back(c.text);
    return texts;
}

bool WineWindow::HasText(const std::string& part) const {
    if (caption.find(part) != std::string::npos) return true;
    for (const WineControl& c : controls)
        if (c.text.find(part) != std::string::npos) return true;
    return false;
}

const WineWindow* WineRunResult::FindWindow(const std::string& captionOrText) const {
    for (const WineWindow& w : windows)
        if (w.HasText(captionOrText)) return &w;
    return nullptr;
}

std::string WineRunResult::Transcript() const {
    std::string all;
    for (const std::string& l : lines) all += l + "\n";
    return all;
}

std::string WinePath(const std::string& linuxPath) {
    if (linuxPath.empty() || linuxPath[0] != '/') return linuxPath;
    std::string p = "Z:" + linuxPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

std::string Win64File(const std::string& relative) {
    return std::string(QUIV_WIN64_DIR) + "/" + relative;
}

int StartInWine(const std::string& program, const std::vector<std::string>& args) {
    if (!ensureSession()) return -1;
    std::vector<std::string> argv = {sessionScript(), "run", WinePath(program)};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_t pid = fork();
    if (pid != 0) return pid < 0 ? -1 : static_cast<int>(pid);
    setpgid(0, 0);
    std::vector<char*> raw;
    for (const std::string& a : argv) raw.push_back(const_cast<char*>(a.c_str()));
    raw.push_back(nullptr);
    execv(raw[0], raw.data());
    _exit(127);
}

int WaitForWine(int pid, int seconds) {
    if (pid <= 0) return -1;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    for (;;) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (done < 0) return -1;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(50 * 1000);
    }
}

std::vector<std::string> WineOutputLines(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> lines;
    if (!ensureSession()) return lines;
    std::vector<std::string> argv = {sessionScript(), "run", WinePath(program)};
    argv.insert(argv.end(), args.begin(), args.end());
    runCapturing(argv, 60, &lines);
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r') line.pop_back();
    return lines;
}

std::string WineDriveC() {
    const char* dir = std::getenv("QUIV_WINE_DIR");
    return (dir && *dir ? std::string(dir) : std::string(QUIV_SOURCE_DIR) + "/build/wine") + "/prefix/drive_c";
}

WineRunResult RunInWine(const std::string& program, const std::vector<std::string>& args,
                        const WineRunOptions& options) {
    WineRunResult result;
    if (std::string(QUIV_WIN64_DIR).empty()) {
        result.failure = "no Windows build folder configured (QUIV_WIN64_DIR)";
        return result;
    }
    if (!ensureSession()) {
        result.failure = "the Wine session did not start";
        return result;
    }
    std::vector<std::string> argv = {sessionScript(), "run", Win64File("uidriver.exe")};
    for (const std::string& rule : options.rules) {
        argv.push_back("--rule");
        argv.push_back(rule);
    }
    if (options.strict) argv.push_back("--strict");
    argv.push_back("--timeout");
    argv.push_back(std::to_string(options.timeoutSeconds));
    if (!options.shotsDir.empty()) {
        argv.push_back("--shots");
        argv.push_back(WinePath(options.shotsDir));
    }
    argv.push_back("--");
    argv.push_back(WinePath(program));
    argv.insert(argv.end(), args.begin(), args.end());

    std::vector<std::string> lines;
    result.status = runCapturing(argv, options.timeoutSeconds + 60, &lines, options.workDir);
    for (const std::string& line : lines) addLine(result, line);
    if (result.status < 0 && result.failure.empty()) result.failure = "the run did not end in time";
    return result;
}
