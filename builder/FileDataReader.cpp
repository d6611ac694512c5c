#include "builder/FileDataReader.h"

#include "archive/format/ArchiveFormat.h"
#include "archive/format/SettingsLayout.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace {

class BlockCursor {
public:
    BlockCursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint32_t u32()
    {
        need(4, "a number");
        uint32_t v = loadU32(data_ + pos_);
        pos_ += 4;
        return v;
    }
    std::string text()
    {
        const void* zero = pos_ < size_ ? std::memchr(data_ + pos_, 0, size_ - pos_) : nullptr;
        if (!zero)
            fail("the block ends inside a text");
        size_t n = static_cast<const uint8_t*>(zero) - (data_ + pos_);
        std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n + 1;
        return s;
    }
    const uint8_t* bytes(size_t n)
    {
        need(n, "the file's data");
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    bool atEnd() const { return pos_ == size_; }
    [[noreturn]] void fail(const std::string& what) const { throw std::runtime_error(prefix_ + what); }
    void setRecord(size_t index, const std::string& name)
    {
        prefix_ = "file data, record " + std::to_string(index + 1) + (name.empty() ? "" : " (" + name + ")") + ": ";
    }

private:
    void need(size_t n, const char* what) const
    {
        if (size_ - pos_ < n)
            fail(std::string("the block ends inside ") + what);
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    std::string prefix_;
};

std::string codeText(int code) { return " (code " + std::to_string(code) + ")"; }

StoredFile readRecord(BlockCursor& in, size_t index, int32_t size)
{
    StoredFile f;
    in.setRecord(index, "");
    f.name = in.text();
    in.setRecord(index, f.name);
    if (f.name.empty())
        in.fail("empty file name" + codeText(kCorruptFileName));
    f.kind = in.u32();
    if (!isFileDestinationKind(f.kind))
        in.fail("destination kind " + std::to_string(f.kind) + " unknown" + codeText(kCorruptDestinationKind));
    f.flags = in.u32();
    f.attributes = in.u32();
    if (size < 0)
        in.fail("negative size" + codeText(kCorruptNegativeFileSize));
    if (size > kMaxStoredFileSize)
        in.fail("size above 1 GiB" + codeText(kCorruptFileSizeTooLarge));
    const uint8_t* data = in.bytes(static_cast<size_t>(size));
    f.data.assign(data, data + size);
    if (in.u32() != archiveChecksum(data, size))
        in.fail("checksum mismatch" + codeText(kCorruptFileChecksum));
    int32_t* t[] = {&f.time.year, &f.time.month, &f.time.day, &f.time.hour, &f.time.minute, &f.time.second};
    for (int32_t* v : t)
        *v = static_cast<int32_t>(in.u32());
    f.text = in.text();
    if (f.hasShortcut())
        f.shortcutIcon = in.text();
    f.shortcutArguments = in.text();
    f.destination = in.text();
    return f;
}

} // namespace

std::vector<StoredFile> readFileData(const uint8_t* data, size_t size, const std::vector<int32_t>& storedSizes)
{
    BlockCursor in(data, size);
    std::vector<StoredFile> files;
    for (size_t i = 0; i < storedSizes.size(); ++i)
        files.push_back(readRecord(in, i, storedSizes[i]));
    if (!in.atEnd())
        throw std::runtime_error("file data: bytes left behind the last record");
    return files;
}
