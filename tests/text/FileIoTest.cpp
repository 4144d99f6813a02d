#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/ThrownMessage.h"
#include "text/EFOpenError.h"
#include "text/EFileSaveError.h"
#include "text/EFileTooLarge.h"
#include "text/TMemoryStream.h"
#include "text/TTextStore.h"
#include "support/TempDir.h"

namespace quarry {
namespace {

// A stream that accepts only part of the first `shortWrites` write calls, or nothing past byte
// `room`, as a full disk does.
class ShortWriteStream final : public TStream {
public:
    explicit ShortWriteStream(int shortWrites, std::int64_t room = INT64_MAX) : shortWrites_(shortWrites), room_(room) {}
    std::int64_t Read(void*, std::int64_t) override { return 0; }
    std::int64_t Write(const void* buffer, std::int64_t count) override {
        if (shortWrites_ > 0) {
            --shortWrites_;
            count /= 2;
        }
        return inner.Write(buffer, std::min(count, room_ - inner.Position()));
    }
    std::int64_t Position() const override { return inner.Position(); }
    void SetPosition(std::int64_t position) override { inner.SetPosition(position); }
    std::int64_t Size() const override { return inner.Size(); }
    void SetSize(std::int64_t size) override { inner.SetSize(size); }

    TMemoryStream inner;

private:
    int shortWrites_;
    std::int64_t room_;
};

std::string Binary() {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        if (i != '\r' && i != '\n') bytes += static_cast<char>(i);
    return bytes;
}

struct SaveBackCase {
    const char* name;
    std::string bytes;
    TSaveFormat format;
    TSelLineStyle style;
    std::optional<std::string> saved;  // none: the bytes loaded, unchanged
};

TEST(FileIo, FilesLoadAndSaveBackByteForByteOrInTheChosenStyle) {
    constexpr auto text = TSaveFormat::sfTEXT;
    constexpr auto crlf = TSelLineStyle::lsCRLF;
    const std::vector<SaveBackCase> cases = {
        {"empty file", "", text, crlf, {}},
        {"CR LF with final break", "int a;\r\nint b;\r\n", text, crlf, {}},
        {"CR LF without final break", "int a;\r\nint b;", text, crlf, {}},
        {"LF file saved as unix", "a\nb\n\nc", TSaveFormat::sfUNIX, crlf, {}},
        {"CR-only file", "a\rb\r\rc\r", text, TSelLineStyle::lsLF, {}},
        {"one megabyte line", std::string(1 << 20, 'q') + "\r\n", text, crlf, {}},
        {"every byte but the line ends", Binary() + "\r\n" + Binary(), text, crlf, {}},
        {"break at the chunk edge", std::string(8191, 'x') + "\r\n" + std::string(9000, 'y'), text, crlf, {}},
        {"LF CR as CR LF", "a\n\rb\n\r", text, crlf, "a\r\nb\r\n"},
        {"LF CR as unix", "a\n\rb", TSaveFormat::sfUNIX, crlf, "a\nb"},
        {"mixed as CR", "a\r\nb\nc\rd\n\re", text, TSelLineStyle::lsLF, "a\rb\rc\rd\re"},
        {"NUL, BEL, FF and ESC kept", std::string("x\0y\az\f\x1b\r\n", 9), text, crlf, {}},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTextStore store;
        store.LoadFromFile(dir.write("in.txt", c.bytes), 0);
        store.CheckInvariants();
        store.SelLineStyle = c.style;
        store.SaveToFile(dir.file("out.txt"), c.format);
        EXPECT_EQ(c.saved.value_or(c.bytes), test::TempDir::read(dir.file("out.txt")));
    }
}

TEST(FileIo, MissingFileRaisesTheOpenErrorAndLeavesTheText) {
    TTextStore store;
    store.InsertText(0, "keep");
    test::TempDir dir;
    const std::string path = dir.file("nothere.c");
    EXPECT_EQ("File '" + path + "' cannot be opened for reading",
              test::thrownMessage<EFOpenError>([&] { store.LoadFromFile(path, 0); }));
    EXPECT_EQ("keep", store.Text());
}

TEST(FileIo, FileBeyondTheOffsetLimitIsRefusedNotTruncated) {
    test::TempDir dir;
    const std::string path = dir.write("big.c", std::string(100, 'x'));
    TTextStore store;
    store.InsertText(0, "keep");
    store.SetCharLimit(50);
    EXPECT_EQ("File '" + path + "' is too large to edit: 100 bytes, the limit is 50 characters",
              test::thrownMessage<EFileTooLarge>([&] { store.LoadFromFile(path, 0); }));
    EXPECT_EQ("keep", store.Text());
    store.SetCharLimit(104);
    store.LoadFromFile(path, 4);
    EXPECT_EQ(104, store.CharCount());
}

TEST(FileIo, InsertBeyondTheLimitIsRefused) {
    TTextStore store;
    store.SetCharLimit(10);
    store.InsertText(0, "12345");
    EXPECT_THROW(store.InsertText(0, "1234567"), EFileTooLarge);
    EXPECT_EQ("12345", store.Text());
}

TEST(FileIo, SaveWithoutAStreamRaises) {
    TTextStore store;
    EXPECT_EQ("Bad TStream instance",
              test::thrownMessage<EFileSaveError>([&] { store.SaveToStream(nullptr, TSaveFormat::sfTEXT); }));
}

TEST(FileIo, ShortWritesAreRetriedFromTheStartThenReported) {
    struct Case {
        int shortWrites;
        bool fails;
    };
    for (const Case c : {Case{0, false}, Case{1, false}, Case{3, false}, Case{4, true}}) {
        SCOPED_TRACE(c.shortWrites);
        TTextStore store;
        store.InsertText(0, "alpha\rbeta\r");
        ShortWriteStream stream(c.shortWrites);
        if (c.fails) {
            EXPECT_EQ("Could not save text to stream",
                      test::thrownMessage<EFileSaveError>([&] { store.SaveToStream(&stream, TSaveFormat::sfTEXT); }));
        } else {
            store.SaveToStream(&stream, TSaveFormat::sfTEXT);
            EXPECT_EQ("alpha\r\nbeta\r\n", stream.inner.Bytes());
        }
    }
}

TEST(FileIo, ShortCrLfWriteLongerThanTheTextIsStillCaught) {
    // 11 characters, 13 bytes in CR LF form: a write of 12 bytes passes a character-count check.
    TTextStore store;
    store.InsertText(0, "alpha\rbeta\r");
    ShortWriteStream stream(0, 12);
    EXPECT_THROW(store.SaveToStream(&stream, TSaveFormat::sfTEXT), EFileSaveError);
}

TEST(FileIo, EmptyTextSavesNothing) {
    TTextStore store;
    TMemoryStream stream;
    store.SaveToStream(&stream, TSaveFormat::sfTEXT);
    EXPECT_EQ(0, stream.Size());
}

TEST(FileIo, LoadingInsertsAtThePositionAndReturnsTheEnd) {
    TTextStore store;
    store.InsertText(0, "head\rtail");
    TMemoryStream stream(std::string("mid\r\n"));
    EXPECT_EQ(9, store.LoadFromStream(stream, 5));
    EXPECT_EQ("head\rmid\rtail", store.Text());
}

}  // namespace
}  // namespace quarry
