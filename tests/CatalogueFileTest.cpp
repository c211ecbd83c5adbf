// The catalogue file "sq.dat" through the window's start-up and destruction: its bytes, the
// reading rules, exact round trips, and failed saves that keep the old file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>

#include "Fixture.h"
#include "platform/TextFile.h"

using namespace sqtest;
namespace fs = std::filesystem;

namespace {

// Second on top, First below it with the POS1 Welcome, saved.
const std::string kExample =
    "CREATOR=SITEQUILL 1.0\r\n"
    "TITLE=First\r\nURL=\r\nPOS1=Welcome\r\nPOS2=\r\nNEG1=\r\nNEG2=\r\nDESC=\r\n"
    "\r\n"
    "TITLE=Second\r\nURL=\r\nPOS1=\r\nPOS2=\r\nNEG1=\r\nNEG2=\r\nDESC=\r\n";
const Entry kFirst{"First", "", "Welcome"};
const Entry kSecond{"Second"};

std::set<std::string> Names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

class CatalogueFileTest : public DialogTest {
protected:
    /// What a fresh start of the program in the same directory shows: its rows, top first.
    std::vector<Entry> RowsAfterRestart() {
        platform::MemoryBackend other;
        CSitequillDlg window;
        window.SetBackend(&other);
        window.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
        EXPECT_TRUE(other.boxes.empty());
        std::vector<Entry> rows;
        for (const auto& row : other.list.Rows()) {
            Entry e;
            std::copy_n(row.begin(), e.size(), e.begin());
            rows.push_back(e);
        }
        EXPECT_EQ(other.controls[res::IDC_TEST_COUNT], std::to_string(rows.size()));
        return rows;
    }

    void ExpectErrorBoxOnce() {
        ASSERT_EQ(backend.boxes.size(), 1u);
        EXPECT_EQ(backend.boxes[0].text, "Save to File");
        EXPECT_EQ(backend.boxes[0].caption, "Error Writing File");
        EXPECT_EQ(backend.boxes[0].type, platform::MB_OK);
    }
};

TEST_F(CatalogueFileTest, SavesTheExampleByteForByteAndKeepsTheList) {
    Open();
    Add(kFirst);
    Add(kSecond);
    Close();
    EXPECT_EQ(ReadBytes("sq.dat"), kExample);
    EXPECT_TRUE(backend.boxes.empty());
    EXPECT_EQ(Rows(), (std::vector<Entry>{kSecond, kFirst})) << "the save restores the order";
    EXPECT_EQ(Boxes(), Entry{});
    EXPECT_TRUE(backend.list.redraw);
}

TEST_F(CatalogueFileTest, LoadsTheExampleAsSecondOverFirstWithEmptyBoxes) {
    WriteBytes("sq.dat", kExample);
    Type(Entry{});
    Open();
    EXPECT_EQ(Rows(), (std::vector<Entry>{kSecond, kFirst}));
    EXPECT_EQ(Boxes(), Entry{});
    EXPECT_EQ(backend.controls[res::IDC_TEST_COUNT], "2");
    EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(CatalogueFileTest, AnEmptyListSavesAnEmptyFile) {
    WriteBytes("sq.dat", kExample);
    Open();
    for (int i = 0; i < 2; ++i) {
        ClickRow(0);
        Click(res::IDC_REMOVE);
    }
    Close();
    EXPECT_TRUE(fs::exists("sq.dat"));
    EXPECT_EQ(ReadBytes("sq.dat"), "");
    EXPECT_TRUE(backend.boxes.empty());
    EXPECT_TRUE(RowsAfterRestart().empty());
}

struct ReadCase {
    const char* name;
    std::optional<std::string> file;  // nullopt: no file at all
    std::vector<Entry> rows;          // top first, so the file's last entry comes first
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadingRulesTest : public CatalogueFileTest,
                         public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadingRulesTest, LoadsTheRowsThatTheRulesGive) {
    const ReadCase& c = GetParam();
    if (c.file)
        WriteBytes("sq.dat", *c.file);
    Open();
    EXPECT_EQ(Rows(), c.rows);
    EXPECT_EQ(backend.controls[res::IDC_TEST_COUNT], std::to_string(c.rows.size()));
    EXPECT_EQ(Boxes(), Entry{});
    EXPECT_TRUE(backend.boxes.empty());
    if (!c.file) {
        EXPECT_TRUE(fs::is_regular_file("sq.dat")) << "a missing file is created";
        EXPECT_EQ(ReadBytes("sq.dat"), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadingRulesTest,
    ::testing::Values(
        ReadCase{"CrLf",
                 "TITLE=A\r\nURL=u\r\nPOS1=p\r\nPOS2=q\r\nNEG1=n\r\nNEG2=m\r\nDESC=d\r\n",
                 {{"A", "u", "p", "q", "n", "m", "d"}}},
        ReadCase{"LfOnly",
                 "TITLE=A\nURL=u\nPOS1=p\nPOS2=q\nNEG1=n\nNEG2=m\nDESC=d\n",
                 {{"A", "u", "p", "q", "n", "m", "d"}}},
        ReadCase{"EqualsInsideAValue", "TITLE=a=b\r\nPOS1=x==y=\r\n", {{"a=b", "", "x==y="}}},
        ReadCase{"KeysComparedExactly",
                 "TITLE=A\r\ntitle=B\r\nurl=x\r\nURL =y\r\n URL=z\r\nPOS1:w\r\nDESCRIPTION=v\r\n",
                 {{"A"}}},
        ReadCase{"KeyWithoutEquals", "TITLE=A\r\nURL=u\r\nTITLE=B\r\nURL\r\n", {{"B"}, {"A", "u"}}},
        ReadCase{"MissingKeysTakeTheEntryBefore",
                 "TITLE=A\r\nNEG2=n\r\nDESC=d\r\nTITLE=B\r\nDESC=e\r\n",
                 {{"B", "", "", "", "", "n", "e"}, {"A", "", "", "", "", "n", "d"}}},
        ReadCase{"EmptyTitleIsNoEntryButPassesItsFieldsOn",
                 "TITLE=A\r\nTITLE=\r\nURL=u\r\nTITLE\r\nPOS1=p\r\nTITLE=B\r\n",
                 {{"B", "u", "p"}, {"A"}}},
        ReadCase{"KeysBeforeTheFirstTitle", "URL=u\r\nPOS1=p\r\nTITLE=A\r\n", {{"A", "u", "p"}}},
        ReadCase{"CtrlZEndsTheInput",
                 "TITLE=A\r\nTITLE=B\r\nURL=u\x1a"
                 "v\r\nTITLE=C\r\n",
                 {{"B", "u"}, {"A"}}},
        ReadCase{"CtrlZAtALineStart", "TITLE=A\r\n\x1aTITLE=C\r\n", {{"A"}}},
        ReadCase{"LastLineWithoutLineEnd",
                 "TITLE=A\r\nDESC=a\r\nTITLE=New test",
                 {{"New test", "", "", "", "", "", "a"}, {"A", "", "", "", "", "", "a"}}},
        ReadCase{"LastDescWithoutLineEnd",
                 "TITLE=A\r\nDESC=a\r\nTITLE=B\r\nDESC=x",
                 {{"B", "", "", "", "", "", "x"}, {"A", "", "", "", "", "", "a"}}},
        ReadCase{"BlanksKept",
                 "TITLE= A \t\r\nURL=\tu \r\nPOS1=  \r\nTITLE=   \r\n",
                 {{"   ", "\tu ", "  "}, {" A \t", "\tu ", "  "}}},
        ReadCase{"StrayCrKept", "TITLE=A\rB\r\nURL=u\r\r\nPOS1=p\r", {{"A\rB", "u\r", "p\r"}}},
        ReadCase{"NonAsciiBytes",
                 "TITLE=caf\xc3\xa9\r\nURL=\xff\xfe\x80\r\n",
                 {{"caf\xc3\xa9", "\xff\xfe\x80"}}},
        ReadCase{"OtherCreatorLine", "CREATOR=SOMETHING ELSE 9\r\nTITLE=A\r\n", {{"A"}}},
        ReadCase{"NoCreatorLineAndExtraEmptyLines",
                 "\r\nTITLE=A\r\n\r\n\r\nTITLE=B\r\n\r\n",
                 {{"B"}, {"A"}}},
        ReadCase{"CreatorLineOnly", "CREATOR=SITEQUILL 1.0\r\n", {}}, ReadCase{"ZeroBytes", "", {}},
        ReadCase{"MissingFile", std::nullopt, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CatalogueFileTest, SaveAndLoadGiveBackEveryRowExactly) {
    const std::vector<Entry> added{
        {" lead", "trail ", " both ", "\ttab\t", "a=b", "=", "URL=x"},
        {"   ", "", "", "", "", "", " "},
        {"caf\xc3\xa9", "\xff\xfe", "\x80\x81", "TITLE=Other", "NEG1=", "CREATOR=SITEQUILL 1.0",
         ""},
        {"cr\r", "a\rb", "\r", "", "", "", ""},
        {"Plain", "http://127.0.0.1/", "", "", "", "", ""},
    };
    Open();
    for (const Entry& e : added)
        Add(e);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), added.size());
    Close();
    const std::string saved = ReadBytes("sq.dat");

    EXPECT_EQ(RowsAfterRestart(), rows);

    // A second save of what was loaded writes the same bytes.
    CSitequillDlg again;
    platform::MemoryBackend againBackend;
    again.SetBackend(&againBackend);
    again.Dispatch(platform::Message::Plain(platform::WM_INITDIALOG));
    again.Dispatch(platform::Message::Plain(platform::WM_DESTROY));
    EXPECT_EQ(ReadBytes("sq.dat"), saved);
}

TEST_F(CatalogueFileTest, SavingThroughALinkKeepsTheLinkAndThePermissions) {
    fs::create_directory("store");
    WriteBytes("store/catalogue.dat", kExample);
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions("store/catalogue.dat", perms);
    fs::create_symlink("store/catalogue.dat", "sq.dat");

    Open();
    EXPECT_EQ(Rows(), (std::vector<Entry>{kSecond, kFirst}));
    ClickRow(1);
    Click(res::IDC_REMOVE);
    Close();

    EXPECT_TRUE(backend.boxes.empty());
    ASSERT_TRUE(fs::is_symlink("sq.dat"));
    EXPECT_EQ(fs::read_symlink("sq.dat"), "store/catalogue.dat");
    EXPECT_EQ(fs::status("store/catalogue.dat").permissions(), perms);
    EXPECT_EQ(ReadBytes("store/catalogue.dat"),
              "CREATOR=SITEQUILL 1.0\r\n"
              "TITLE=Second\r\nURL=\r\nPOS1=\r\nPOS2=\r\nNEG1=\r\nNEG2=\r\nDESC=\r\n");
    EXPECT_EQ(Names("store"), std::set<std::string>{"catalogue.dat"});
}

struct SaveFailure {
    const char* name;
    std::function<void()> beforeOpen;   // as an ordinary user owning the directory and sq.dat
    std::function<void()> beforeClose;  // likewise
    bool fails;
};

void PrintTo(const SaveFailure& c, std::ostream* os) {
    *os << c.name;
}

class SaveFailureTest : public CatalogueFileTest,
                        public ::testing::WithParamInterface<SaveFailure> {
protected:
    void TearDown() override { platform::SetWriteFailureForTesting(std::nullopt); }
};

TEST_P(SaveFailureTest, KeepsTheOldFileAndSaysSoOnce) {
    const SaveFailure& c = GetParam();
    WriteBytes("sq.dat", kExample);
    WithoutPrivilege::GiveToUser(".");
    WithoutPrivilege::GiveToUser("sq.dat");
    {
        WithoutPrivilege user;
        if (c.beforeOpen)
            c.beforeOpen();
        Open();
        Add(Titled("New", "http://127.0.0.1/new"));
        const auto rows = Rows();
        if (c.beforeClose)
            c.beforeClose();
        Close();
        platform::SetWriteFailureForTesting(std::nullopt);
        EXPECT_EQ(Rows(), rows);
        EXPECT_EQ(Boxes(), Entry{});
        EXPECT_TRUE(backend.list.redraw);
    }
    EXPECT_EQ(Names("."), std::set<std::string>{"sq.dat"}) << "no temporary file is left";
    if (c.fails) {
        ExpectErrorBoxOnce();
        EXPECT_EQ(ReadBytes("sq.dat"), kExample);
    } else {
        EXPECT_TRUE(backend.boxes.empty());
        EXPECT_EQ(RowsAfterRestart().front(), Titled("New", "http://127.0.0.1/new"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFailureTest,
    ::testing::Values(
        SaveFailure{"NoFault", nullptr, nullptr, false},
        SaveFailure{"ReadOnlyDirectory", nullptr,
                    [] { fs::permissions(".", fs::perms::owner_read | fs::perms::owner_exec); },
                    true},
        SaveFailure{"FirstWriteFails", nullptr, [] { platform::SetWriteFailureForTesting(0); },
                    true},
        SaveFailure{"WriteFailsPartWay", nullptr,
                    [] { platform::SetWriteFailureForTesting(kExample.size() / 2); }, true},
        SaveFailure{"ReadOnlyFile", nullptr,
                    [] { fs::permissions("sq.dat", fs::perms::owner_read); }, true},
        // The list then lacks the file's entries; saving it would throw them away.
        SaveFailure{"FileUnreadableAtStart",
                    [] { fs::permissions("sq.dat", fs::perms::owner_write); }, nullptr, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
