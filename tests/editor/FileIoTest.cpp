#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EFOpenError.h"
#include "editor/EFileSaveError.h"
#include "editor/EFileTooLarge.h"
#include "editor/TMemoryStream.h"
#include "editor/TTextStore.h"
#include "support/TempDir.h"

namespace quarry {
namespace {

// A stream that accepts only part of the first `shortWrites` write calls, as a full disk does.
class ShortWriteStream final : public TStream {
public:
    explicit ShortWriteStream(int shortWrites) : shortWrites_(shortWrites) {}
    std::int64_t Read(void*, std::int64_t) override { return 0; }
    std::int64_t Write(const void* buffer, std::int64_t count) override {
        ++writes;
        if (shortWrites_ > 0) {
            --shortWrites_;
            count /= 2;
        }
        return inner.Write(buffer, count);
    }
    std::int64_t Position() const override { return inner.Position(); }
    void SetPosition(std::int64_t position) override { inner.SetPosition(position); }
    std::int64_t Size() const override { return inner.Size(); }
    void SetSize(std::int64_t size) override { inner.SetSize(size); }

    TMemoryStream inner;
    int writes = 0;

private:
    int shortWrites_;
};

struct RoundTripCase {
    const char* name;
    std::string bytes;
    TSaveFormat format;
    TSelLineStyle style;
};

std::string Binary() {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        if (i != '\r' && i != '\n' && (i >= 32 || i == '\t')) bytes += static_cast<char>(i);
    return bytes;
}

TEST(FileIo, AwkwardFilesLoadAndSaveBackByteForByte) {
    const std::vector<RoundTripCase> cases = {
        {"empty file", "", TSaveFormat::sfTEXT, TSelLineStyle::lsCRLF},
        {"CR LF with final break", "int a;\r\nint b;\r\n", TSaveFormat::sfTEXT, TSelLineStyle::lsCRLF},
        {"CR LF without final break", "int a;\r\nint b;", TSaveFormat::sfTEXT, TSelLineStyle::lsCRLF},
        {"LF file saved as unix", "a\nb\n\nc", TSaveFormat::sfUNIX, TSelLineStyle::lsCRLF},
        {"CR-only file", "a\rb\r\rc\r", TSaveFormat::sfTEXT, TSelLineStyle::lsLF},
        {"one megabyte line", std::string(1 << 20, 'q') + "\r\n", TSaveFormat::sfTEXT, TSelLineStyle::lsCRLF},
        {"every printable byte", Binary() + "\r\n" + Binary(), TSaveFormat::sfTEXT, TSelLineStyle::lsCRLF},
        {"break at the chunk edge", std::string(8191, 'x') + "\r\n" + std::string(9000, 'y'), TSaveFormat::sfTEXT,
         TSelLineStyle::lsCRLF},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.write("in.txt", c.bytes);
        TTextStore store;
        store.LoadFromFile(path, 0);
        store.CheckInvariants();
        store.SelLineStyle = c.style;
        const std::string out = dir.file("out.txt");
        store.SaveToFile(out, c.format);
        EXPECT_EQ(c.bytes, test::TempDir::read(out));
    }
}

struct LossyCase {
    const char* name;
    std::string bytes;
    TSaveFormat format;
    TSelLineStyle style;
    std::string saved;
};

TEST(FileIo, ForeignFormsLoadAndSaveInTheChosenStyle) {
    const std::vector<LossyCase> cases = {
        {"LF CR as CR LF", "a\n\rb\n\r", TSaveFormat::sfTEXT, TSelLineStyle::lsCRLF, "a\r\nb\r\n"},
        {"LF CR as unix", "a\n\rb", TSaveFormat::sfUNIX, TSelLineStyle::lsCRLF, "a\nb"},
        {"mixed as CR", "a\r\nb\nc\rd\n\re", TSaveFormat::sfTEXT, TSelLineStyle::lsLF, "a\rb\rc\rd\re"},
        {"NUL and BEL shown as dots", std::string("x\0y\az", 5), TSaveFormat::sfTEXT, TSelLineStyle::lsCRLF, "x.y.z"},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTextStore store;
        store.LoadFromFile(dir.write("in.txt", c.bytes), 0);
        store.SelLineStyle = c.style;
        store.SaveToFile(dir.file("out.txt"), c.format);
        EXPECT_EQ(c.saved, test::TempDir::read(dir.file("out.txt")));
    }
}

TEST(FileIo, MissingFileRaisesTheOpenErrorAndLeavesTheText) {
    TTextStore store;
    store.InsertText(0, "keep");
    test::TempDir dir;
    const std::string path = dir.file("nothere.c");
    try {
        store.LoadFromFile(path, 0);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ("File '" + path + "' cannot be opened for reading", std::string(e.what()));
    }
    EXPECT_EQ("keep", store.Text());
}

TEST(FileIo, FileBeyondTheOffsetLimitIsRefusedNotTruncated) {
    test::TempDir dir;
    const std::string path = dir.write("big.c", std::string(100, 'x'));
    TTextStore store;
    store.InsertText(0, "keep");
    store.SetCharLimit(50);
    try {
        store.LoadFromFile(path, 0);
        FAIL() << "no error";
    } catch (const EFileTooLarge& e) {
        EXPECT_EQ("File '" + path + "' is too large to edit: 100 bytes, the limit is 50 characters", std::string(e.what()));
    }
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
    try {
        store.SaveToStream(nullptr, TSaveFormat::sfTEXT);
        FAIL() << "no error";
    } catch (const EFileSaveError& e) {
        EXPECT_EQ("Bad TStream instance", std::string(e.what()));
    }
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
            try {
                store.SaveToStream(&stream, TSaveFormat::sfTEXT);
                FAIL() << "no error";
            } catch (const EFileSaveError& e) {
                EXPECT_EQ("Could not save text to stream", std::string(e.what()));
            }
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
    class CutAtTwelve final : public TStream {
    public:
        std::int64_t Read(void*, std::int64_t) override { return 0; }
        std::int64_t Write(const void* b, std::int64_t n) override {
            return inner.Write(b, std::min<std::int64_t>(n, 12 - inner.Position()));
        }
        std::int64_t Position() const override { return inner.Position(); }
        void SetPosition(std::int64_t p) override { inner.SetPosition(p); }
        std::int64_t Size() const override { return inner.Size(); }
        void SetSize(std::int64_t s) override { inner.SetSize(s); }
        TMemoryStream inner;
    } stream;
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
