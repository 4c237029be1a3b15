// The dialogs and system services, in a real window: the clipboard, the file and colour dialogs
// driven as a user would drive them, the question before a web address, and the folders.
#include "dialog_driver.h"
#include "window_session.h"

#include <cstring>

namespace {

// Dialog control identifiers of the system's dialogs.
constexpr int FileNameBox = 0x47c;  // cmb13, the name box of the Explorer-style dialog
constexpr int FileTypeList = 0x470; // cmb1
constexpr int ColourRedBox = 706;

class SystemServices : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_WINDOW(session);
        ASSERT_TRUE(session.OpenEditor());
        session.RunTicks(1);
    }
    GraphicsContext& Editor() { return session.Editor(); }

    WindowSession session;
};

void PutOnClipboard(const wchar_t* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (text != nullptr) {
        const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(GlobalLock(block), text, bytes);
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
    }
    CloseClipboard();
}

bool IsDirectory(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder of this program as Wine names it: the Unix path on drive Z:, with backslashes.
std::string ProgramFolder() {
    std::string folder = "Z:" + std::string(CRESCENDA_TEST_BIN_DIR) + "/";
    for (char& c : folder) {
        c = c == '/' ? '\\' : c;
    }
    return folder;
}

} // namespace

TEST_F(SystemServices, TheClipboardsTextIsReadAsUtf8AndNoTextReadsAsEmpty) {
    PutOnClipboard(L"Gr\u00fc\u00dfe 3.5 \u20ac");
    TextBuffer text;
    EXPECT_TRUE(Editor().ReadClipboardText(text));
    EXPECT_STREQ(text.Text(), "Gr\xc3\xbc\xc3\x9f"
                              "e 3.5 \xe2\x82\xac");
    PutOnClipboard(nullptr);
    text.Set("stale");
    EXPECT_FALSE(Editor().ReadClipboardText(text));
    EXPECT_STREQ(text.Text(), "");
}

TEST_F(SystemServices, TheFileDialogOffersTheExtensionsAndAddsTheFirstToANameWithout) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string offered;
    DialogDriver user(GetCurrentThreadId(), [&](HWND dialog) {
        char type[128] = {};
        SendDlgItemMessageA(dialog, FileTypeList, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(type));
        offered = type;
        SetDlgItemTextA(dialog, FileNameBox, "crescenda-dialog-test");
        PressButton(dialog, IDOK);
    });
    TextBuffer file;
    TextBuffer folder;
    folder.Set(temp);
    Editor().ChooseFile(file, 1, folder, "png jpg");
    ASSERT_TRUE(user.Acted());
    EXPECT_EQ(offered, "*.png;*.jpg");
    std::string chosen = file.Text();
    const std::string name = "\\crescenda-dialog-test.png";
    ASSERT_GE(chosen.size(), name.size()) << chosen;
    EXPECT_EQ(chosen.substr(chosen.size() - name.size()), name);
    EXPECT_EQ(std::string(folder.Text()), chosen.substr(0, chosen.size() - name.size() + 1));
}

TEST_F(SystemServices, CancellingTheFileDialogEmptiesTheFileAndWithoutAWindowNoneOpens) {
    DialogDriver user(GetCurrentThreadId(), [](HWND dialog) { PressButton(dialog, IDCANCEL); });
    TextBuffer file;
    file.Set("old.png");
    TextBuffer folder;
    Editor().ChooseFile(file, 0, folder, "png");
    ASSERT_TRUE(user.Acted());
    EXPECT_STREQ(file.Text(), "");

    session.CloseEditor();
    file.Set("old.png");
    Editor().ChooseFile(file, 0, folder, "png"); // returns at once: no dialog without a window
    EXPECT_STREQ(file.Text(), "");
}

TEST_F(SystemServices, TheColourDialogShowsThePromptAndChangesOnlyRedGreenAndBlue) {
    std::string title;
    DialogDriver user(GetCurrentThreadId(), [&](HWND dialog) {
        title = WindowTitle(dialog);
        SetDlgItemTextA(dialog, ColourRedBox, "200");
        PressButton(dialog, IDOK);
    });
    Argb colour{77, 10, 20, 30};
    EXPECT_TRUE(Editor().ChooseColour(colour, "Knob colour"));
    ASSERT_TRUE(user.Acted());
    EXPECT_EQ(title, "Knob colour");
    EXPECT_EQ(colour.alpha, 77);
    EXPECT_EQ(colour.red, 200);
    EXPECT_EQ(colour.green, 20);
    EXPECT_EQ(colour.blue, 30);
}

// The question is owned by the host's main window; No opens nothing.
TEST_F(SystemServices, AWebAddressAnsweredNoIsNotOpened) {
    HWND owner = nullptr;
    std::string question;
    DialogDriver user(GetCurrentThreadId(), [&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        question = WindowTitle(box);
        PressButton(box, IDNO);
    });
    EXPECT_FALSE(Editor().OpenWebAddress("https://example.invalid/", "Crescenda",
                                         "Open the manual?", "No connection"));
    ASSERT_TRUE(user.Acted());
    EXPECT_EQ(question, "Crescenda");
    EXPECT_EQ(owner, session.HostHandle());
}

TEST_F(SystemServices, TheFoldersAreThoseOfTheProgramAndExistingSystemFolders) {
    TextBuffer folder;
    Editor().HostFolder(folder);
    EXPECT_EQ(std::string(folder.Text()), ProgramFolder()); // with its trailing backslash
    Editor().PluginFolder(folder);                          // the effect is built into this program
    EXPECT_EQ(std::string(folder.Text()), ProgramFolder());
    Editor().DesktopFolder(folder);
    EXPECT_TRUE(IsDirectory(folder.Text())) << folder.Text();
    TextBuffer shared;
    Editor().AppDataFolder(shared, true);
    EXPECT_TRUE(IsDirectory(shared.Text())) << shared.Text();
    Editor().UserAppDataFolder(folder);
    EXPECT_TRUE(IsDirectory(folder.Text())) << folder.Text();
    EXPECT_STRNE(folder.Text(), shared.Text());
}
