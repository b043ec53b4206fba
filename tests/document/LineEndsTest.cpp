#include "document/LineEnds.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <vector>

#include "support/TestFiles.h"
#include "document/FileIO.h"
#include "textmodel/EditControl.h"

namespace tagloom {
namespace {

using namespace std::string_literals;

// The conversions as plain byte loops, to check the fast ones against.
LoadedText naiveLoad(const std::string& file) {
    LoadedText loaded;
    std::size_t lf = 0, cr = 0;
    for (const char c : file) {
        if (c == '\n') {
            loaded.text += "\r\n";
            ++lf;
        } else if (c == '\r') {
            ++cr;
        } else {
            loaded.text += c;
        }
    }
    loaded.bUnixFile = loaded.text.size() > file.size();
    loaded.nStrayCRs = loaded.bUnixFile ? cr : cr - lf;
    return loaded;
}

std::string naiveStore(const std::string& text, bool bUnixFile) {
    std::string file;
    for (const char c : text) {
        if (c == '\n')
            file += bUnixFile ? "\n" : "\r\n";
        else if (c != '\r')
            file += c;
    }
    return file;
}

std::string store(std::string_view text, bool bUnixFile) {
    std::string file;
    const bool ok = writeFileBytes(text, bUnixFile, [&file](std::string_view block) {
        file += block;
        return true;
    });
    EXPECT_TRUE(ok);
    return file;
}

// The notice's text, empty when there is none; every notice is an information titled alike.
std::string noticeText(const LoadedText& loaded) {
    const auto notice = strayCarriageReturnNotice(loaded.nStrayCRs, loaded.bUnixFile);
    if (!notice) return "";
    EXPECT_EQ(notice->title, "Tagloom - Open File");
    EXPECT_EQ(notice->buttons, Buttons::Ok);
    EXPECT_EQ(notice->icon, Icon::Information);
    return notice->text;
}

const std::string kNoticeTail = " file.\nThis will be automatically fixed whenever the file is saved.";

struct ByteCase {
    const char* name;
    std::string file;
    std::string text;
    bool bUnixFile;
    std::size_t nStrayCRs;
    std::string notice;
    std::string saved;
};

TEST(LineEnds, everyByteEdgeCaseLoadsNotifiesAndSavesBackAsDescribed) {
    std::mt19937 random(99);
    const std::string noise = test::randomBytes(random, 600000);
    const LoadedText noiseLoaded = naiveLoad(noise);
    const std::string noiseNotice = "There were " + std::to_string(noiseLoaded.nStrayCRs) +
                                    " stray carriage returns in this " +
                                    (noiseLoaded.bUnixFile ? "UNIX" : "MS DOS") + kNoticeTail;
    const ByteCase cases[] = {
        {"random bytes", noise, noiseLoaded.text, noiseLoaded.bUnixFile, noiseLoaded.nStrayCRs, noiseNotice,
         naiveStore(noiseLoaded.text, noiseLoaded.bUnixFile)},
        {"DOS file", "a\r\nb", "a\r\nb", false, 0, "", "a\r\nb"},
        {"UNIX file", "a\nb\n", "a\r\nb\r\n", true, 0, "", "a\nb\n"},
        {"doubled CR", "a\r\r\nb", "a\r\nb", false, 1,
         "There was 1 stray carriage returns in this MS DOS" + kNoticeTail, "a\r\nb"},
        {"mixed, more LFs", "a\nb\r\nc\n", "a\r\nb\r\nc\r\n", true, 1,
         "There was 1 stray carriage returns in this UNIX" + kNoticeTail, "a\nb\nc\n"},
        {"mixed, as many CRs", "a\r\nb\nc\r", "a\r\nb\r\nc", false, 0, "", "a\r\nb\r\nc"},
        {"carriage returns only", "a\rb\rc", "abc", false, 2,
         "There were 2 stray carriage returns in this MS DOS" + kNoticeTail, "abc"},
        {"0 bytes", "", "", false, 0, "", ""},
        {"NUL bytes kept", "\0a\0\nb\0"s, "\0a\0\r\nb\0"s, true, 0, "", "\0a\0\nb\0"s},
        {"NUL only", "\0\0"s, "\0\0"s, false, 0, "", "\0\0"s},
        {"LF before its CR", "a\n\rb", "a\r\nb", false, 0, "", "a\r\nb"},
        {"line ends only", "\n\n\n", "\r\n\r\n\r\n", true, 0, "", "\n\n\n"},
        {"CRs only", "\r\r\r", "", false, 3, "There were 3 stray carriage returns in this MS DOS" + kNoticeTail, ""},
        {"no line end", "<p>", "<p>", false, 0, "", "<p>"},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath("case.html").toStdString();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LoadedText inMemory = toEditorText(c.file);
        test::writeRawFile(path, c.file);
        const ReadResult fromDisk = readTextFile(path);
        ASSERT_TRUE(fromDisk.ok) << fromDisk.error;
        for (const LoadedText* loaded : {&inMemory, &fromDisk.loaded}) {
            EXPECT_EQ(loaded->text, c.text);
            EXPECT_EQ(loaded->bUnixFile, c.bUnixFile);
            EXPECT_EQ(loaded->nStrayCRs, c.nStrayCRs);
            EXPECT_EQ(noticeText(*loaded), c.notice);
        }
        EXPECT_EQ(store(inMemory.text, inMemory.bUnixFile), c.saved);
        ASSERT_TRUE(writeTextFile(path, fromDisk.loaded.text, fromDisk.loaded.bUnixFile).ok);
        EXPECT_EQ(test::readRawFile(path), c.saved);
    }
}

TEST(LineEnds, storeDropsEveryCarriageReturnAndWritesOneLineEndForm) {
    struct StoreCase {
        std::string text;
        std::string dos;
        std::string unix;
    };
    const StoreCase cases[] = {
        {"a\r\nb", "a\r\nb", "a\nb"},
        {"bookmarked\r\r\nline", "bookmarked\r\nline", "bookmarked\nline"},
        {"stray\rcr", "straycr", "straycr"},
        {"bare\nLF", "bare\r\nLF", "bare\nLF"},
        {"\r\n\r\n", "\r\n\r\n", "\n\n"},
        {"\0\r\n\0"s, "\0\r\n\0"s, "\0\n\0"s},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store(c.text, false), c.dos);
        EXPECT_EQ(store(c.text, true), c.unix);
    }
}

TEST(LineEnds, randomBytesConvertLikeTheByteLoopAndSurviveASaveAndReload) {
    std::mt19937 random(20240601);
    const char alphabet[] = {'\r', '\n', '\0', 'a', '<'};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    for (int round = 0; round < 300; ++round) {
        std::string file = test::randomBytes(random, round * 7);
        // Half the rounds from an alphabet dense in line ends, so that every
        // combination of CR and LF shows up.
        if (round % 2) std::generate(file.begin(), file.end(), [&] { return alphabet[pick(random)]; });
        const LoadedText loaded = toEditorText(file);
        const LoadedText expected = naiveLoad(file);
        ASSERT_EQ(loaded.text, expected.text);
        ASSERT_EQ(loaded.bUnixFile, expected.bUnixFile);
        ASSERT_EQ(loaded.nStrayCRs, expected.nStrayCRs);
        for (const bool unix : {false, true}) {
            const std::string saved = store(loaded.text, unix);
            ASSERT_EQ(saved, naiveStore(loaded.text, unix));
            const LoadedText reloaded = toEditorText(saved);
            EXPECT_EQ(reloaded.text, loaded.text);
            EXPECT_EQ(reloaded.nStrayCRs, 0u);
            EXPECT_EQ(reloaded.bUnixFile, unix && saved.find('\n') != std::string::npos);
        }
    }
}

// Texts in which every kind of line end stands among runs of letters long
// enough for the conversions' fast steps: 16 bytes at a time, and stretches
// of CR LF pairs only.
std::string lineEndText(std::mt19937& random, std::size_t size) {
    static const std::vector<std::string> parts = {"\r\n", "\r\r\n", "\r", "\n", "a", "<p>", "\xC3\xA9",
                                                    "\0", std::string(17, 'x'), std::string(300, 'y'),
                                                    "line of twenty bytes\r\n"};
    std::uniform_int_distribution<std::size_t> pick(0, parts.size() - 1);
    std::string text;
    while (text.size() < size) text += parts[pick(random)];
    return text;
}

// The pieces of a text cut at random places, CR LF pairs cut in two among them.
std::vector<std::string_view> cutAnywhere(std::string_view text, std::mt19937& random) {
    std::vector<std::string_view> pieces;
    std::uniform_int_distribution<std::size_t> length(0, 80);
    while (!text.empty()) {
        const std::size_t n = std::min(text.size(), random() % 8 == 0 ? length(random) * 1000 : length(random));
        pieces.push_back(text.substr(0, n));
        text.remove_prefix(n);
    }
    return pieces;
}

TEST(LineEnds, aTextWrittenInPiecesCutAnywhereGivesTheBytesOfTheWholeText) {
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        const std::string text = lineEndText(random, static_cast<std::size_t>(round) * 300);
        const std::vector<std::string_view> pieces = cutAnywhere(text, random);
        for (const bool unix : {false, true}) {
            std::string file;
            FileBytesWriter writer(unix, [&file](std::string_view block) {
                file += block;
                return true;
            });
            for (const std::string_view piece : pieces) writer.add(piece);
            ASSERT_TRUE(writer.finish());
            ASSERT_EQ(file, naiveStore(text, unix)) << "round " << round << " unix " << unix;
        }
    }
}

// Pieces cut at each place a line break can be cut: a CR LF pair, a
// bookmarked line's CR CR LF after either CR, a stray CR at a piece's end
// with a letter or an LF after it in the next, and empty pieces between.
TEST(LineEnds, aLineBreakCutAcrossPiecesIsWrittenAsIfWhole) {
    struct Case {
        std::vector<std::string> pieces;
        std::string dos;
        std::string unix;
    };
    const Case cases[] = {
        {{"a\r", "\nb"}, "a\r\nb", "a\nb"},
        {{"a\r", "", "\nb"}, "a\r\nb", "a\nb"},
        {{"mark\r", "\r\nline"}, "mark\r\nline", "mark\nline"},
        {{"mark\r\r", "\nline"}, "mark\r\nline", "mark\nline"},
        {{"mark\r", "\r", "\nline"}, "mark\r\nline", "mark\nline"},
        {{"stray\r", "x"}, "strayx", "strayx"},
        {{"stray\r"}, "stray", "stray"},
        {{"\r", "\r", "\r"}, "", ""},
        {{"bare", "\n", "LF"}, "bare\r\nLF", "bare\nLF"},
        {{std::string(70000, 'x') + "\r", "\n" + std::string(70000, 'y')},
         std::string(70000, 'x') + "\r\n" + std::string(70000, 'y'),
         std::string(70000, 'x') + "\n" + std::string(70000, 'y')},
    };
    for (const Case& c : cases) {
        for (const bool unix : {false, true}) {
            std::string file;
            FileBytesWriter writer(unix, [&file](std::string_view block) {
                file += block;
                return true;
            });
            for (const std::string& piece : c.pieces) writer.add(piece);
            ASSERT_TRUE(writer.finish());
            EXPECT_EQ(file, unix ? c.unix : c.dos) << c.pieces.front().substr(0, 10) << " unix " << unix;
        }
    }
}

TEST(LineEnds, aFileReadInBlocksCutAnywhereLoadsLikeTheByteLoop) {
    std::mt19937 random(12);
    for (int round = 0; round < 200; ++round) {
        // Files with LF line ends, with DOS ones, and with both and stray CRs.
        std::string file = lineEndText(random, static_cast<std::size_t>(round) * 400);
        if (round % 3 == 0) file = naiveStore(file, true);
        if (round % 3 == 1) file = naiveStore(file, false);
        const LoadedText expected = naiveLoad(file);
        LineEndCount count;
        count.add(file);
        EditorTextBuilder builder(editorTextLength(file.size(), count));
        for (const std::string_view block : cutAnywhere(file, random)) builder.append(block);
        const LoadedText loaded = builder.finish();
        ASSERT_EQ(loaded.text, expected.text) << "round " << round;
        ASSERT_EQ(loaded.bUnixFile, expected.bUnixFile) << "round " << round;
        ASSERT_EQ(loaded.nStrayCRs, expected.nStrayCRs) << "round " << round;
    }
}

// A save writes the edited text from its pieces as they lie: random edits cut
// CR LF pairs across pieces, make bookmarked lines (CR CR LF) and stray CRs,
// and the file holds what the whole text, joined, would have given.
TEST(LineEnds, aSaveAfterRandomEditsWritesThePiecesAsTheWholeTextWouldBe) {
    QTemporaryDir folder;
    std::mt19937 random(13);
    const auto pick = [&](std::size_t n) { return static_cast<int>(random() % n); };
    const std::vector<std::string> typed = {"\r", "\n", "\r\n", "\r\r\n", "x", "<br>", std::string(40, 'z')};
    EditControl control;
    control.adoptText(toEditorText(lineEndText(random, 200000)).text);
    for (int round = 1; round <= 30; ++round) {
        for (int edit = 0; edit < 50; ++edit) {
            const int at = pick(static_cast<std::size_t>(control.length()) + 1);
            control.setSel(at, at + (pick(3) == 0 ? pick(5) : 0));
            control.replaceSel(typed[static_cast<std::size_t>(pick(typed.size()))]);
        }
        for (const bool unix : {false, true}) {
            const std::string path = folder.filePath("saved.html").toStdString();
            ASSERT_TRUE(writeTextFile(path, controlText(control), unix).ok);
            ASSERT_EQ(test::readRawFile(path), naiveStore(control.getText(), unix)) << "round " << round;
        }
        ASSERT_FALSE(control.isLockFree()) << "the save joined the pieces";
    }
}

TEST(LineEnds, storeStopsAtTheFirstBlockTheSinkRefuses) {
    std::mt19937 random(3);
    const std::string text = toEditorText(test::randomBytes(random, 3 << 20)).text;
    int calls = 0;
    EXPECT_FALSE(writeFileBytes(text, false, [&calls](std::string_view) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

TEST(LineEnds, aUnixFileOffsetMovesPastTheLineEndsBeforeItAndNeverIntoOne) {
    struct OffsetCase {
        const char* name;
        std::string file;
        std::size_t fileOffset;
        std::size_t textOffset;
    };
    const OffsetCase cases[] = {
        {"inside the second line", "abcde\nfghijklmnop\n", 10, 11},
        {"at the second line's start", "abcde\nfghij\n", 6, 7},
        {"at the first line's end", "abcde\nfghij\n", 5, 5},
        {"at the start", "abcde\nfghij\n", 0, 0},
        {"after empty lines", "\n\n\nx", 3, 6},
        {"between empty lines", "\n\n\nx", 2, 4},
        {"at the end", "ab\ncd\n", 6, 8},
        {"beyond the end", "ab\n", 10, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = toEditorText(c.file).text;
        EXPECT_EQ(fileOffsetToTextOffset(text, c.fileOffset), c.textOffset);
        EXPECT_EQ(textOffsetToFileOffset(text, c.textOffset), c.fileOffset);
    }
}

TEST(LineEnds, everyUnixFileOffsetFindsItsOwnByteInTheText) {
    std::mt19937 random(11);
    std::bernoulli_distribution lineEnd(0.2);
    std::string file(2000, 'x');
    for (char& c : file) c = lineEnd(random) ? '\n' : static_cast<char>('a' + random() % 26);
    const std::string text = toEditorText(file).text;
    for (std::size_t f = 0; f < file.size(); ++f) {
        const std::size_t t = fileOffsetToTextOffset(text, f);
        ASSERT_EQ(text[t], file[f] == '\n' ? '\r' : file[f]) << "file offset " << f;
        ASSERT_EQ(textOffsetToFileOffset(text, t), f);
    }
}

}  // namespace
}  // namespace tagloom
