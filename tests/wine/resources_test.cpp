// Reads Tallowfin.exe's resources as Windows sees them: the main, Options and Donate dialog
// templates, the Options menu, the donate picture, icon, version block and manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Each Windows build tests its own programs, which name their bitness.
constexpr bool Is64Bit = sizeof(void*) == 8;

std::string ExePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = strrchr(path, '\\');
    *slash = '\0';
    slash = strrchr(path, '\\'); // the program sits one folder above the test programs
    *slash = '\0';
    return std::string(path) + "\\" TALLOWFIN_EXE_NAME;
}

class Resources : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryExA(ExePath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, module_) << ExePath() << " error " << GetLastError();
    }
    void TearDown() override {
        if (module_)
            FreeLibrary(module_);
    }
    const BYTE* Find(const char* type, int id, DWORD* size) {
        HRSRC info = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        if (!info)
            return nullptr;
        *size = SizeofResource(module_, info);
        return static_cast<const BYTE*>(LockResource(LoadResource(module_, info)));
    }
    HMODULE module_ = nullptr;
};

// A cursor over a dialog template: words, double words, and strings or ordinals.
struct TemplateReader {
    const BYTE* p;
    WORD Word() {
        WORD v;
        memcpy(&v, p, 2);
        p += 2;
        return v;
    }
    DWORD Dword() {
        DWORD v;
        memcpy(&v, p, 4);
        p += 4;
        return v;
    }
    // An ordinal comes back as "#<number>".
    std::string StringOrOrdinal() {
        WORD first = Word();
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        std::string s;
        for (WORD c = first; c != 0; c = Word())
            s += static_cast<char>(c);
        return s;
    }
    void AlignDword(const BYTE* base) {
        while ((p - base) % 4)
            ++p;
    }
};

// What an extended dialog template holds, as the tables describe it.
struct DialogHeader {
    DWORD exStyle, style;
    short cx, cy;
    const char *menu, *title;
};

struct DialogItem {
    DWORD id, style;
    short x, y, cx, cy;
    const char* classes[2]; // by name or by atom
    const char* text;
};

template <size_t N>
void ExpectDialogTemplate(const BYTE* base, DWORD size, const DialogHeader& header,
                          const DialogItem (&items)[N]) {
    ASSERT_NE(nullptr, base);
    TemplateReader r{base};
    EXPECT_EQ(1, r.Word());      // extended template
    EXPECT_EQ(0xFFFF, r.Word()); // signature
    r.Dword();                   // help id
    EXPECT_EQ(header.exStyle, r.Dword());
    EXPECT_EQ(header.style, r.Dword()) << std::hex << header.style;
    EXPECT_EQ(N, r.Word());
    EXPECT_EQ(0, static_cast<short>(r.Word()));
    EXPECT_EQ(0, static_cast<short>(r.Word()));
    EXPECT_EQ(header.cx, static_cast<short>(r.Word()));
    EXPECT_EQ(header.cy, static_cast<short>(r.Word()));
    EXPECT_EQ(header.menu, r.StringOrOrdinal());
    EXPECT_EQ("", r.StringOrOrdinal()); // class
    EXPECT_EQ(header.title, r.StringOrOrdinal());
    EXPECT_EQ(8, r.Word());
    r.Word(); // weight
    r.Word(); // italic, charset
    EXPECT_EQ("MS Sans Serif", r.StringOrOrdinal());

    for (const DialogItem& item : items) {
        SCOPED_TRACE(item.text);
        r.AlignDword(base);
        r.Dword(); // help id
        EXPECT_EQ(0u, r.Dword());
        EXPECT_EQ(item.style, r.Dword()) << std::hex << item.style;
        EXPECT_EQ(item.x, static_cast<short>(r.Word()));
        EXPECT_EQ(item.y, static_cast<short>(r.Word()));
        EXPECT_EQ(item.cx, static_cast<short>(r.Word()));
        EXPECT_EQ(item.cy, static_cast<short>(r.Word()));
        EXPECT_EQ(item.id, r.Dword());
        std::string cls = r.StringOrOrdinal();
        for (char& c : cls)
            c = static_cast<char>(tolower(c));
        EXPECT_TRUE(cls == item.classes[0] || cls == item.classes[1]) << cls;
        EXPECT_EQ(item.text, r.StringOrOrdinal());
        EXPECT_EQ(0, r.Word()) << "no creation data";
    }
    EXPECT_LE(static_cast<DWORD>(r.p - base), size);
}

TEST_F(Resources, MainDialogTemplateIsExact) {
    DWORD size = 0;
    const BYTE* base = Find(MAKEINTRESOURCEA(5) /* RT_DIALOG */, 103, &size);
    const DialogItem items[] = {
        {1009, 0x50010F00, 93, 7, 47, 17, {"button", "#128"}, "Options..."},
        {1011, 0x50800001, 7, 7, 79, 17, {"msctls_progress32", ""}, "Progress1"},
    };
    ExpectDialogTemplate(base, size, {0x200, 0x90C800C4, 147, 31, "", ""}, items);
}

// Menu entries of one level and the levels below: "popup <text>" or "<id> <text>", and " |"
// on the level's last entry.
void ReadMenuLevel(TemplateReader& r, std::vector<std::string>* entries) {
    for (;;) {
        WORD flags = r.Word();
        bool popup = flags & MF_POPUP;
        std::string id = popup ? "popup" : std::to_string(r.Word());
        entries->push_back(id + " " + r.StringOrOrdinal() + ((flags & MF_END) ? " |" : ""));
        if (popup)
            ReadMenuLevel(r, entries);
        if (flags & MF_END)
            return;
    }
}

// Not visible in the template; DS_CENTER | DS_MODALFRAME | DS_SETFONT, and the menu attached.
TEST_F(Resources, OptionsDialogTemplateAndMenuAreExact) {
    DWORD size = 0;
    const BYTE* base = Find(MAKEINTRESOURCEA(5) /* RT_DIALOG */, 104, &size);
    const DWORD Static = 0xFFFFFFFF;
    const char *Button[] = {"button", "#128"}, *Text[] = {"static", "#130"};
    const DialogItem items[] = {
        {1013, 0x50810881, 7, 234, 213, 12, {"edit", "#129"}, ""},
        {1007,
         0x50010000,
         7,
         247,
         213,
         14,
         {Button[0], Button[1]},
         "Visit Tallowfin Internet && Forum Site"},
        {Static,
         0x50000000,
         19,
         82,
         187,
         17,
         {Text[0], Text[1]},
         "LEGAL DISCLAIMER: This software is supplied with no warranties given for any purpose "
         "whatsoever."},
        {Static,
         0x50000000,
         19,
         146,
         187,
         16,
         {Text[0], Text[1]},
         "If you do not agree with and accept these terms, use of this software must be "
         "discontinued."},
        {Static,
         0x50000000,
         19,
         101,
         187,
         42,
         {Text[0], Text[1]},
         "This software is used at the users' own risk, and any and all companies or persons "
         "associated with the programming or supply of this software hereby exempt themseleves "
         "from any and all legal procescution resulting from the use of this software."},
        {Static, 0x50000000, 19, 185, 187, 37, {Text[0], Text[1]}, ""},
        {Static, 0x50000007, 7, 69, 213, 102, {Button[0], Button[1]}, ""},
        {Static, 0x50000007, 7, 173, 213, 54, {Button[0], Button[1]}, ""},
        {Static, 0x50000003, 103, 14, 20, 20, {Text[0], Text[1]}, "#105"},
        {1014, 0x50000001, 7, 39, 213, 8, {Text[0], Text[1]}, "Version"},
        {1015, 0x50000001, 7, 49, 213, 8, {Text[0], Text[1]}, "Copyright"},
        {1008,
         0x50010000,
         7,
         263,
         213,
         14,
         {Button[0], Button[1]},
         "Make a Donation to Mistlebrookworks"},
        {1016,
         0x50000001,
         7,
         59,
         213,
         8,
         {Text[0], Text[1]},
         Is64Bit ? "Freeware for 64-bit Windows, built with MinGW-w64."
                 : "Freeware for 32-bit Windows, built with MinGW-w64."},
    };
    ExpectDialogTemplate(base, size, {0x200, 0x80C808C0, 227, 284, "#106", "Tallowfin Options"},
                         items);

    // Menu 106: a plain menu template, each entry its flags, an id unless a pop-up, and text.
    const BYTE* menu = Find(MAKEINTRESOURCEA(4) /* RT_MENU */, 106, &size);
    ASSERT_NE(nullptr, menu);
    TemplateReader r{menu};
    EXPECT_EQ(0, r.Word());
    EXPECT_EQ(0, r.Word());
    std::vector<std::string> entries;
    ReadMenuLevel(r, &entries);
    const std::vector<std::string> expected = {"popup File",
                                               "40001 Exit |",
                                               "popup Tallowfin",
                                               "40005 Uninstall Tallowfin |",
                                               "popup Common |",
                                               "40002 Create && Delete Links",
                                               "40006 Make a Donation to Mistlebrookworks",
                                               "40003 Explore Containing Folder",
                                               "40004 Visit Tallowfin Internet && Forum Site |"};
    EXPECT_EQ(expected, entries);
}

TEST_F(Resources, DonateDialogTemplateAndPictureAreExact) {
    DWORD size = 0;
    const BYTE* base = Find(MAKEINTRESOURCEA(5) /* RT_DIALOG */, 106, &size);
    const DWORD Static = 0xFFFFFFFF;
    const char *Button[] = {"button", "#128"}, *Text[] = {"static", "#130"};
    const DialogItem items[] = {
        {1016, 0x50810900, 35, 183, 193, 12, {"edit", "#129"}, ""},
        {Static,
         0x50000001,
         33,
         117,
         193,
         26,
         {Text[0], Text[1]},
         "To make a donation, please click the button below, or alternatively, copy the URL and "
         "paste into your browsers' address bar."},
        {Static,
         0x50000001,
         33,
         150,
         193,
         20,
         {Text[0], Text[1]},
         "Donations will be made to donations@mistlebrookworks.example, the copyright owner of "
         "this software."},
        {Static, 0x50000001, 36, 257, 193, 12, {Text[0], Text[1]}, "THANK YOU !"},
        {Static,
         0x50000007,
         7,
         8,
         245,
         277,
         {Button[0], Button[1]},
         "Make a Donation to Mistlebrookworks"},
        {Static,
         0x50000001,
         32,
         95,
         193,
         19,
         {Text[0], Text[1]},
         "Donations are made via PayPal, the global leader in online payments."},
        {Static,
         0x50000001,
         32,
         31,
         193,
         17,
         {Text[0], Text[1]},
         "All Mistlebrookworks software is funded entirely by donations recieved from users of "
         "Mistlebrookworks software."},
        {Static,
         0x50000001,
         32,
         57,
         193,
         25,
         {Text[0], Text[1]},
         "Donations are used to fund additional Research, Development and Coding of new and "
         "existing applications."},
        {1008, 0x50010080, 35, 211, 193, 27, {Button[0], Button[1]}, ""},
    };
    ExpectDialogTemplate(base, size, {0x200, 0x90C808C0, 259, 290, "", "Donate"}, items);

    const BYTE* picture = Find(MAKEINTRESOURCEA(2) /* RT_BITMAP */, 107, &size);
    ASSERT_NE(nullptr, picture);
    BITMAPINFOHEADER header;
    memcpy(&header, picture, sizeof header);
    EXPECT_EQ(62, header.biWidth);
    EXPECT_EQ(31, header.biHeight);
    EXPECT_EQ(8, header.biBitCount) << "256 colours";
}

// Windows picks the picture nearest the size it needs (the 256-pixel one is a PNG): each must
// load as an icon of its own size, the 16-pixel one being the program's AppIcon.
TEST_F(Resources, IconLoadsAtEachSizeExplorerShows) {
    for (int side : {16, 24, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(module_, MAKEINTRESOURCEA(105), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
        ASSERT_NE(nullptr, icon) << side;
        ICONINFO parts = {};
        ASSERT_TRUE(GetIconInfo(icon, &parts));
        BITMAP colour = {};
        GetObjectA(parts.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(side, colour.bmWidth);
        EXPECT_EQ(side, colour.bmHeight);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(VersionBlock, NamesProductVersionAndMaker) {
    std::string path = ExePath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, &block[0]));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(7, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(0, 6), fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(0x0809, translation[0]) << "English (United Kingdom)";
    EXPECT_EQ(1200, translation[1]) << "Unicode";

    const char* expected[][2] = {
        {"Comments", "To extend the Windows Explorer 'Send To' context menu with all known links."},
        {"CompanyName", "Mistlebrookworks"},
        {"FileDescription", Is64Bit ? "Tallowfin (64-bit)" : "Tallowfin"},
        {"FileVersion", "1, 7, 6, 0"},
        {"InternalName", "Tallowfin"},
        {"OriginalFilename", TALLOWFIN_EXE_NAME},
        {"ProductName", "Tallowfin"},
        {"ProductVersion", "1, 7, 6, 0"},
    };
    for (auto& pair : expected) {
        std::string query = std::string("\\StringFileInfo\\080904b0\\") + pair[0];
        char* text = nullptr;
        ASSERT_TRUE(
            VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
            << pair[0];
        EXPECT_STREQ(pair[1], text) << pair[0];
    }
    char* copyright = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\080904b0\\LegalCopyright",
                               reinterpret_cast<void**>(&copyright), &length));
    EXPECT_NE(nullptr, strstr(copyright, "Mistlebrookworks"));
}

TEST_F(Resources, ManifestSetsUtf8AndAsksForNoElevationLevel) {
    DWORD size = 0;
    const BYTE* data = Find(MAKEINTRESOURCEA(24) /* RT_MANIFEST */, 1, &size);
    ASSERT_NE(nullptr, data);
    std::string manifest(reinterpret_cast<const char*>(data), size);
    EXPECT_NE(std::string::npos, manifest.find("<activeCodePage"));
    EXPECT_NE(std::string::npos, manifest.find(">UTF-8</activeCodePage>"));
    EXPECT_NE(std::string::npos, manifest.find("dpiAware"));
    EXPECT_NE(std::string::npos, manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"));
    EXPECT_NE(std::string::npos, manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"));
    EXPECT_EQ(std::string::npos, manifest.find("trustInfo"));
    EXPECT_EQ(std::string::npos, manifest.find("requestedExecutionLevel"));
}

TEST(CodePage, TestProgramsRunUnderUtf8LikeTheProgram) {
    EXPECT_EQ(65001u, GetACP());
}

} // namespace

// Tallowfin Menu carries the same icon, a version block of its own and its own manifest.
TEST(MenuResources, IconVersionBlockAndManifestOfTallowfinMenu) {
    std::string path = ExePath();
    path.replace(path.rfind(TALLOWFIN_EXE_NAME), std::string::npos, TALLOWFIN_MENU_EXE_NAME);
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module) << path;
    EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(105), MAKEINTRESOURCEA(14)));
    EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)));
    FreeLibrary(module);
    std::string block(GetFileVersionInfoSizeA(path.c_str(), nullptr), '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, DWORD(block.size()), &block[0]));
    const char* expected[][2] = {
        {"FileDescription", Is64Bit ? "Tallowfin Menu (64-bit)" : "Tallowfin Menu"},
        {"OriginalFilename", TALLOWFIN_MENU_EXE_NAME},
        {"FileVersion", "1, 7, 6, 0"}};
    for (auto& pair : expected) {
        std::string query = std::string("\\StringFileInfo\\080904b0\\") + pair[0];
        char* text = nullptr;
        UINT length = 0;
        ASSERT_TRUE(
            VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(pair[1], text) << pair[0];
    }
}
